#pragma once
// Wrappers of two common controls, the status bar and the tab control. They
// do not subclass their control window: as receivers on the parent they get
// what they need from the parent's WM_NOTIFY and WM_SIZE.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <string>

#include "Dispatch.h"

// A notification callback: the record (with the sender in Msg) and the
// control's NMHDR.
using TNotifyProc = void (*)(TMsgRec*, NMHDR*);

// Child identifiers of the common controls, counted from 1000.
extern int32_t NextCommonID;

class TCmCtrl : public TSubClass {
public:
    ~TCmCtrl() override;  // destroys the control window

    HWND Handle{};
    int32_t ID{};
    TNotifyProc OnClick{};
    TNotifyProc OnDblClick{};
    TNotifyProc OnRightClick{};
    TNotifyProc OnRightDblClick{};

protected:
    explicit TCmCtrl(HWND parent);
    virtual void Init();
    virtual void CreateHandle() = 0;
    int32_t TakeCommonID();
    // The NMHDR of a WM_NOTIFY record when it comes from Handle, else null.
    NMHDR* OwnNotification(const TMsgRec& rec) const;
};

class TAPIStatusBar : public TCmCtrl {
    friend TSubClass;

public:
    static constexpr int32_t MaxParts = 9;
    static constexpr int32_t WholeBar = -2;  // GetPartRect: the client rectangle

    void UpdateSize();
    void SetAlignTop(bool flag);
    int32_t PartCount() const;
    // Right edges from PartWidths; the last part reaches the right end. Counts
    // outside 1..9 are ignored.
    void SetParts(int32_t count);
    int32_t PartWidth(int32_t index) const;
    void SetPartWidth(int32_t index, int32_t width);
    // Parts 0..9 and SB_SIMPLEID (255); other parts are ignored.
    void SetText(int32_t part, const std::string& text);
    void SetText(int32_t part, const std::wstring& text);  // UTF-16, SB_SETTEXTW
    void GetPartRect(int32_t part, RECT& rect) const;
    void SetMinHeight(int32_t h);
    void HandleMessage(TMsgRec& rec) override;

    std::array<int32_t, 10> PartWidths{};
    bool AlignTop{};
    int32_t MinHeight{};
    TEventProc OnSize{};
    TNotifyProc OnSimpleModeChange{};

protected:
    explicit TAPIStatusBar(HWND parent) : TCmCtrl(parent) {}
    void Init() override;
    void CreateHandle() override;

private:
    static bool IsTextPart(int32_t part);
    void Notified(TMsgRec& loc, NMHDR* header);
};

class TAPITab : public TCmCtrl {
    friend TSubClass;

public:
    ~TAPITab() override;

    void SetBounds(const RECT& r);  // a MakeRect record: X, Y, Width, Height
    virtual DWORD TabStyle() const;
    virtual void Changed();  // OnLayout
    virtual void SetItemText(int32_t index, const std::string& text);
    virtual int32_t InsertItem(int32_t index, const std::string& text);  // new index or -1
    virtual int32_t AddItem(const std::string& text);
    virtual bool DeleteItem(int32_t index);
    virtual bool DeleteAllItems();
    int32_t ItemCount() const;
    // The page area inside the tabs, in the tab control's client coordinates.
    void GetDisplayRect(RECT& rect) const;
    int32_t SelectedIndex() const;
    // Selects index and runs OnChanging then OnChange, which the control does
    // not send for a programmatic selection (also when index is selected).
    void SetSelectedIndex(int32_t index);
    void HandleMessage(TMsgRec& rec) override;

    RECT Bounds{};    // X, Y, Width, Height as last given to SetBounds
    RECT ItemRect{};  // X, Y, X + Width, Y + Height
    HIMAGELIST ImageList{};
    TEventProc OnLayout{};
    TEventProc OnChange{};
    TEventProc OnChanging{};

protected:
    explicit TAPITab(HWND parent) : TCmCtrl(parent) {}
    void CreateHandle() override;

private:
    void DeliverNotification(NMHDR& header);
};

TAPIStatusBar* NewStatusBar(HWND parent, bool alignTop);
TAPITab* NewTab(HWND parent, int x, int y, int width, int height, TEventProc onChange);
