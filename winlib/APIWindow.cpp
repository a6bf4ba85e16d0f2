#include "APIWindow.h"

#include <utility>

#include "UtilFunc.h"

// Handler procedures sit in the table's pointer-sized slots.
static_assert(sizeof(uintptr_t) == sizeof(TEventProc));

namespace {

constexpr const char* ObjectProperty = "OBJECT";
constexpr const char* PanelClassName = "APIPanel";

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

// What the library's own window classes share: redrawn whole on resizing, the
// arrow cursor, a system colour as background.
WNDCLASSA OwnWndClass(WNDPROC proc, int backgroundColour, const char* name) {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColour + 1));
    wc.lpszClassName = name;
    return wc;
}

// The show command the process was started with applies to top-level windows;
// a child window (a panel) is simply shown, never minimised or hidden with a
// program started that way.
int ShowCommandFor(DWORD style) {
    if ((style & WS_CHILD) != 0) return SW_SHOW;
    STARTUPINFOA info{};
    info.cb = sizeof(info);
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) != 0 ? info.wShowWindow : SW_SHOWDEFAULT;
}

TAPIWindow* AttachedObject(HWND hwnd) { return static_cast<TAPIWindow*>(GetPropA(hwnd, ObjectProperty)); }

// The object travels as CreateWindowExA's last argument.
void Attach(HWND hwnd, LPARAM createStruct) {
    auto* object = static_cast<TAPIWindow*>(reinterpret_cast<CREATESTRUCTA*>(createStruct)->lpCreateParams);
    if (object == nullptr) return;
    SetPropA(hwnd, ObjectProperty, object);
    object->Handle = hwnd;
}

void DrawEdgeKind(HDC dc, RECT& rect, TEdgeKind kind) {
    if (kind == TEdgeKind::Raised) DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    if (kind == TEdgeKind::Sunken) DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

}  // namespace

// ---- Window procedures ----

LRESULT CALLBACK WindowWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) Attach(hwnd, lParam);
    TMsgRec loc{msg, wParam, lParam, 0};
    TAPIWindow* object = AttachedObject(hwnd);
    if (msg == WM_DESTROY) {
        if (object != nullptr) {
            object->Deliver(loc);
            delete object;
        }
        return 0;
    }
    // A creation refused in WM_CREATE ends, under Wine, with WM_NCDESTROY
    // alone: the object still attached then would leak.
    if (msg == WM_NCDESTROY && object != nullptr) {
        delete object;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (object != nullptr) {
        object->Deliver(loc);
        if (loc.Result != 0) return loc.Result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PanelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) Attach(hwnd, lParam);
    TAPIWindow* object = AttachedObject(hwnd);
    switch (msg) {
        case WM_DESTROY:
            delete object;
            return 0;
        case WM_PAINT:
        case WM_ERASEBKGND:
        case WM_CONTEXTMENU: {
            // Without an object only the default procedure validates the window;
            // an unanswered WM_PAINT would come back for ever.
            if (object == nullptr) return msg == WM_PAINT ? DefWindowProcA(hwnd, msg, wParam, lParam) : 0;
            TMsgRec loc{msg, wParam, lParam, 0};
            object->Deliver(loc);
            return loc.Result;
        }
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// ---- TAPIWindow ----

TAPIWindow::TAPIWindow(HWND parentWnd, std::string caption)
    : ParentWnd(parentWnd), Caption(std::move(caption)), BackColor(GetSysColor(COLOR_BTNFACE)) {}

TAPIWindow::~TAPIWindow() { RemovePropA(Handle, ObjectProperty); }

void TAPIWindow::FillWndClass(WNDCLASSA& wc) {
    wc = OwnWndClass(WindowWndProc, COLOR_WINDOW, Caption.c_str());
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    if (OnRegisterClass != nullptr) OnRegisterClass(&wc);
}

void TAPIWindow::FillCreateParams(TWndCreateParams& p) {
    p = TWndCreateParams{};
    p.ClassName = Caption.c_str();
    p.WindowName = Caption.c_str();
    p.Style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.X = CW_USEDEFAULT;
    p.Width = CW_USEDEFAULT;
    p.Parent = ParentWnd;
    p.Instance = ModuleInstance();
    p.Param = this;
    if (OnCreateParams != nullptr) OnCreateParams(&p);
}

void TAPIWindow::CreateWnd() {
    WNDCLASSA wc{};
    FillWndClass(wc);
    RegisterClassA(&wc);  // fails harmlessly when an earlier object registered it

    TWndCreateParams p{};
    FillCreateParams(p);
    HWND created = CreateWindowExA(p.ExStyle, p.ClassName, p.WindowName, p.Style, p.X, p.Y, p.Width, p.Height,
                                   p.Parent, p.Menu, p.Instance, p.Param);
    // A window whose creation failed after WM_NCCREATE has been destroyed, and
    // this object with it: nothing of it may be touched any more.
    if (created == nullptr) return;
    if ((p.Style & WS_VISIBLE) != 0) {
        ShowWindow(Handle, ShowCommandFor(p.Style));
        UpdateWindow(Handle);
    }
}

void TAPIWindow::HandleMessage(TMsgRec& rec) {
    TMsgRec loc = rec;
    switch (loc.Number()) {
        case WM_CREATE:
            if (OnCreate != nullptr) OnCreate(&loc);
            break;
        case WM_DESTROY:
            if (OnDestroy != nullptr) OnDestroy(&loc);
            break;
        case WM_ERASEBKGND:
            loc.Result = FillClient(Handle, BackColor, reinterpret_cast<HDC>(loc.WParam));
            break;
        case WM_COMMAND:
            if (OnCommand != nullptr) OnCommand(&loc);
            break;
        default:
            break;
    }
    rec.Result = loc.Result;
}

void TAPIWindow::SetBackColor(COLORREF color) {
    if (color == BackColor) return;
    BackColor = color;
    InvalidateRect(Handle, nullptr, TRUE);
}

// ---- TAPIWindow2 ----

TAPIWindow2::TAPIWindow2(HWND parentWnd, std::string caption) : TAPIWindow(parentWnd, std::move(caption)) {}

void TAPIWindow2::AddMessageHandler(UINT msg, TEventProc proc) {
    ++HandlerCount;
    HandlerMsgs.Put(HandlerCount - 1, static_cast<int32_t>(msg));
    HandlerProcs.Put(HandlerCount - 1, reinterpret_cast<uintptr_t>(proc));
}

// Only the first entry for a message number is ever used.
bool TAPIWindow2::CallTableHandler(TMsgRec& loc) const {
    if (HandlerCount <= 0) return false;
    const UINT msg = loc.Number();
    for (int32_t i = 0; i < HandlerMsgs.Count(); ++i) {
        const int32_t entry = HandlerMsgs.Get(i);
        if (entry < 0 || static_cast<UINT>(entry) != msg) continue;
        if (auto proc = reinterpret_cast<TEventProc>(HandlerProcs.Get(i))) proc(&loc);
        return true;
    }
    return false;
}

void TAPIWindow2::HandleMessage(TMsgRec& rec) {
    switch (rec.Number()) {
        case WM_CREATE:
        case WM_DESTROY:
        case WM_ERASEBKGND:
        case WM_COMMAND:
            TAPIWindow::HandleMessage(rec);
            return;
        default: {
            TMsgRec loc = rec;
            CallTableHandler(loc);
            rec.Result = loc.Result;
        }
    }
}

// ---- TAPIWindow3 ----

void TAPIWindow3::HandleMessage(TMsgRec& rec) {
    if (rec.Number() != WM_SETCURSOR) {
        TAPIWindow2::HandleMessage(rec);
        return;
    }
    // Over the non-client area the default procedure picks the cursor.
    if (LOWORD(rec.LParam) == HTCLIENT) {
        SetCursor(Cursor);
        rec.Result = 1;
    }
}

// ---- TSDIMainWindow ----

TSDIMainWindow::TSDIMainWindow(HWND parentWnd, std::string caption) : TAPIWindow3(parentWnd, std::move(caption)) {
    Cursor = LoadCursorA(nullptr, IDC_ARROW);
}

void TSDIMainWindow::CenterOnScreen() { CenterWindow(Handle); }

HICON TSDIMainWindow::ClassIcon() const {
    return reinterpret_cast<HICON>(GetClassLongPtrA(Handle, GCLP_HICON));
}

void TSDIMainWindow::SetClassIcon(HICON icon) {
    SetClassLongPtrA(Handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void TSDIMainWindow::SetClientWidth(int w) {
    RECT outer{};
    RECT client{};
    GetWindowRect(Handle, &outer);
    GetClientRect(Handle, &client);
    ResizeWindow(Handle, w + (WidthOf(outer) - WidthOf(client)), HeightOf(outer));
}

void TSDIMainWindow::SetClientHeight(int h) {
    RECT outer{};
    RECT client{};
    GetWindowRect(Handle, &outer);
    GetClientRect(Handle, &client);
    ResizeWindow(Handle, WidthOf(outer), h + (HeightOf(outer) - HeightOf(client)));
}

// ---- TAPIPanel ----

void TAPIPanel::FillWndClass(WNDCLASSA& wc) {
    wc = OwnWndClass(PanelWndProc, COLOR_BTNFACE, PanelClassName);
    OuterEdge = TEdgeKind::Raised;
    InnerEdge = TEdgeKind::None;
    EdgeGap = 2;
    if (OnRegisterClass != nullptr) OnRegisterClass(&wc);
}

void TAPIPanel::FillCreateParams(TWndCreateParams& p) {
    p = TWndCreateParams{};
    p.ExStyle = WS_EX_CONTROLPARENT;
    p.ClassName = PanelClassName;
    p.WindowName = PanelClassName;
    p.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    p.Parent = ParentWnd;
    p.Instance = ModuleInstance();
    p.Param = this;
    if (OnCreateParams != nullptr) OnCreateParams(&p);
}

void TAPIPanel::HandleMessage(TMsgRec& rec) {
    TMsgRec loc = rec;
    switch (loc.Number()) {
        case WM_PAINT:
            PaintEdges();
            break;
        case WM_ERASEBKGND:
            loc.Result = FillClient(Handle, BackColor, reinterpret_cast<HDC>(loc.WParam));
            break;
        default:
            break;
    }
    rec.Result = loc.Result;
}

void TAPIPanel::PaintEdges() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(Handle, &ps);
    RECT rect{};
    GetClientRect(Handle, &rect);
    DrawEdgeKind(dc, rect, OuterEdge);
    InflateRect(&rect, -EdgeGap, -EdgeGap);
    DrawEdgeKind(dc, rect, InnerEdge);
    EndPaint(Handle, &ps);
}

void TAPIPanel::SetBounds(int x, int y, int width, int height) { MoveWindow(Handle, x, y, width, height, TRUE); }

void TAPIPanel::SetBounds(const RECT& r) { SetBounds(r.left, r.top, r.right, r.bottom); }

void TAPIPanel::SetOuterEdge(TEdgeKind kind) {
    OuterEdge = kind;
    InvalidateRect(Handle, nullptr, TRUE);
}

void TAPIPanel::SetInnerEdge(TEdgeKind kind) {
    InnerEdge = kind;
    InvalidateRect(Handle, nullptr, TRUE);
}

void TAPIPanel::SetVisible(bool visible) { ShowWindow(Handle, visible ? SW_SHOW : SW_HIDE); }

TAPIPanel* NewPanel(HWND parent, int x, int y, int width, int height) {
    auto* panel = new TAPIPanel(parent, "");
    panel->CreateWnd();
    panel->SetBounds(x, y, width, height);
    return panel;
}
