#pragma once
// Wrappers of the standard controls (check box, group box, multi-line edit,
// scroll bars). Each wrapper creates its control window and subclasses it
// (ControlWndProc, properties "OBJECT" and "WNDPROC"), and is at the same time
// a receiver on the parent window, where the control's notifications arrive.
// Both routes end in HandleMessage, which checks that a notification's LParam
// is its own control.
#include <windows.h>

#include <cstdint>
#include <string>

#include "Dispatch.h"

// The description a class gives of its control window.
struct TAPICreateParams {
    std::string Caption;
    DWORD Style{};
    DWORD ExStyle{};
    int X{};
    int Y{};
    int Width{};
    int Height{};
    std::string ClassName;  // a system window class
};

// Child identifiers of all standard-control wrappers, counted from 400.
extern int32_t NextControlID;

LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class TSelfSubClass : public TSubClass {
public:
    // Unhooks the control window (which it does not destroy) and leaves the
    // dispatcher.
    ~TSelfSubClass() override;

    TMessageMethod FindHandler(UINT msg) const override;

    HWND Handle{};
    int32_t ID{};
    TEventProc OnContextMenu{};

protected:
    explicit TSelfSubClass(HWND parent);
    // Creates and subclasses the control, takes an identifier, then Setup().
    void Init();
    virtual void CreateParams(TAPICreateParams& p) = 0;
    virtual void Setup() = 0;

private:
    void ContextMenu(TMsgRec& rec);
    void Unhook();
};

class TAPIControl : public TSelfSubClass {
public:
    virtual void SetText(const std::string& s);
    void SetBounds(const RECT& r);  // a MakeRect record: X, Y, Width, Height
    void SetEnabled(bool flag);
    void SetVisible(bool flag);

protected:
    using TSelfSubClass::TSelfSubClass;
    void Setup() override;
};

class TAPICheckBox : public TAPIControl {
    friend TSubClass;

public:
    void SetChecked(bool flag);  // no OnClick
    void HandleMessage(TMsgRec& rec) override;

    bool Checked{};
    bool Locked{};  // ignores every message while set
    TEventProc OnClick{};

protected:
    explicit TAPICheckBox(HWND parent) : TAPIControl(parent) {}
    void CreateParams(TAPICreateParams& p) override;
    void Setup() override;
};

class TAPIGroupBox : public TAPIControl {
    friend TSubClass;

protected:
    explicit TAPIGroupBox(HWND parent) : TAPIControl(parent) {}
    void CreateParams(TAPICreateParams& p) override;
    void Setup() override;
};

class TAPIEditBase : public TAPIControl {
public:
    void SetText(const std::string& s) override;  // WM_SETTEXT
    void SetReadOnly(bool flag);
    void SetBackColor(COLORREF c);
    void SetTextColor(COLORREF c);
    void HandleMessage(TMsgRec& rec) override;

    COLORREF BackColor{};
    COLORREF TextColor{};
    TEventProc OnSetFocus{};
    TEventProc OnKillFocus{};
    TEventProc OnChange{};
    TEventProc OnUpdate{};
    TEventProc OnKeyMouseUp{};

protected:
    using TAPIControl::TAPIControl;
    void Setup() override;

private:
    void Notified(const TMsgRec& loc);
};

class TAPIMemo : public TAPIEditBase {
    friend TSubClass;

protected:
    explicit TAPIMemo(HWND parent) : TAPIEditBase(parent) {}
    void CreateParams(TAPICreateParams& p) override;
    void Setup() override;
};

class TAPIHScroll : public TAPIControl {
    friend TSubClass;

public:
    ~TAPIHScroll() override;

    int Min() const;
    int Max() const;
    void SetMin(int v);
    void SetMax(int v);
    int Position() const;
    // Moves the thumb exactly as a user's SB_THUMBPOSITION would, OnScroll
    // included; v is clamped to the range first (positions travel in 16 bits).
    void SetPosition(int v);
    void SetBarColor(COLORREF c);
    void HandleMessage(TMsgRec& rec) override;

    int32_t PageStep{};
    int32_t LineStep{};
    COLORREF BarColor{};  // 0: the parent's default colours
    TEventProc OnScroll{};
    TEventProc OnTrack{};

protected:
    explicit TAPIHScroll(HWND parent) : TAPIControl(parent) {}
    void CreateParams(TAPICreateParams& p) override;
    void Setup() override;

private:
    void Scrolled(const TMsgRec& loc);
    HBRUSH BarBrush();  // one brush per colour, kept until the colour changes
    void FreeBarBrush();

    HBRUSH CachedBrush{};
    COLORREF CachedBrushColor{};
};

class TAPIVScroll : public TAPIHScroll {
    friend TSubClass;

protected:
    explicit TAPIVScroll(HWND parent) : TAPIHScroll(parent) {}
    void CreateParams(TAPICreateParams& p) override;
};

TAPICheckBox* NewCheckBox(HWND parent, int x, int y, int width, int height,
                          const std::string& caption, TEventProc onClick);
TAPIGroupBox* NewGroupBox(HWND parent, int x, int y, int width, int height,
                          const std::string& caption);
TAPIMemo* NewMemo(HWND parent, int x, int y, int width, int height);
// onScroll serves as both OnScroll and OnTrack.
TAPIHScroll* NewHScroll(HWND parent, int x, int y, int width, int height, TEventProc onScroll);
TAPIVScroll* NewVScroll(HWND parent, int x, int y, int width, int height, TEventProc onScroll);
