#pragma once
// Windows of the library's own classes: the main window and child panels. Each
// object owns one window, is attached to it through the property "OBJECT" and
// is destroyed by the class window procedure when the window gets WM_DESTROY,
// so window objects are always created with new.
#include <windows.h>

#include <cstdint>
#include <string>

#include "Dispatch.h"
#include "IntegerList.h"
#include "TObject.h"

// The arguments of CreateWindowExA, in its order.
struct TWndCreateParams {
    DWORD ExStyle{};
    LPCSTR ClassName{};
    LPCSTR WindowName{};
    DWORD Style{};
    int X{};
    int Y{};
    int Width{};
    int Height{};
    HWND Parent{};
    HMENU Menu{};
    HINSTANCE Instance{};
    LPVOID Param{};
};

using TRegisterClassProc = void (*)(WNDCLASSA*);
using TCreateParamsProc = void (*)(TWndCreateParams*);

class TAPIWindow : public TObject {
public:
    TAPIWindow(HWND parentWnd, std::string caption);
    ~TAPIWindow() override;  // removes "OBJECT" from Handle

    virtual void FillWndClass(WNDCLASSA& wc);
    virtual void FillCreateParams(TWndCreateParams& p);
    // Registers the class (once per class name), creates the window and, when
    // it is created visible, shows it with the process's start-up show command.
    virtual void CreateWnd();

    // No window class declares a per-message handler: Deliver is HandleMessage.
    void Deliver(TMsgRec& rec) { HandleMessage(rec); }
    virtual void HandleMessage(TMsgRec& rec);

    void SetBackColor(COLORREF color);

    HWND Handle{};
    HWND ParentWnd{};
    std::string Caption;
    COLORREF BackColor{};
    TRegisterClassProc OnRegisterClass{};
    TCreateParamsProc OnCreateParams{};
    TEventProc OnCreate{};
    TEventProc OnDestroy{};
    TEventProc OnCommand{};
};

// Adds a table of message handlers; only the first entry for a message runs.
class TAPIWindow2 : public TAPIWindow {
public:
    TAPIWindow2(HWND parentWnd, std::string caption);

    void AddMessageHandler(UINT msg, TEventProc proc);
    void HandleMessage(TMsgRec& rec) override;

    TIntegerList HandlerMsgs{16, 16};
    TPointerList HandlerProcs{16, 16};
    int32_t HandlerCount{};

protected:
    bool CallTableHandler(TMsgRec& loc) const;
};

// Adds the client-area cursor.
class TAPIWindow3 : public TAPIWindow2 {
public:
    using TAPIWindow2::TAPIWindow2;

    void HandleMessage(TMsgRec& rec) override;

    HCURSOR Cursor{};
};

class TSDIMainWindow : public TAPIWindow3 {
public:
    TSDIMainWindow(HWND parentWnd, std::string caption);  // the arrow cursor

    void CenterOnScreen();
    HICON ClassIcon() const;
    void SetClassIcon(HICON icon);
    // Outer size changes so that the client area gets exactly this size.
    void SetClientWidth(int w);
    void SetClientHeight(int h);
};

enum class TEdgeKind : uint8_t { None = 0, Raised = 1, Sunken = 2 };

// A plain child window of class "APIPanel" with up to two edges. Its class
// procedure hands it only WM_PAINT, WM_ERASEBKGND and WM_CONTEXTMENU; a
// TMessageTrapper hooks anything else.
class TAPIPanel : public TAPIWindow3 {
public:
    using TAPIWindow3::TAPIWindow3;

    // Also resets the edges to raised outer, no inner, gap 2.
    void FillWndClass(WNDCLASSA& wc) override;
    void FillCreateParams(TWndCreateParams& p) override;
    void HandleMessage(TMsgRec& rec) override;

    void SetBounds(int x, int y, int width, int height);
    void SetBounds(const RECT& r);  // a MakeRect record: x, y, width, height
    void SetOuterEdge(TEdgeKind kind);
    void SetInnerEdge(TEdgeKind kind);
    void SetVisible(bool visible);

    TEdgeKind OuterEdge{};
    TEdgeKind InnerEdge{};
    int32_t EdgeGap{};

private:
    void PaintEdges();
};

TAPIPanel* NewPanel(HWND parent, int x, int y, int width, int height);

LRESULT CALLBACK WindowWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PanelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
