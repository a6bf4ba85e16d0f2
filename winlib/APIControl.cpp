#include "APIControl.h"

#include <algorithm>

#include "UtilFunc.h"

int32_t NextControlID = 400;

namespace {

constexpr char ObjectProperty[] = "OBJECT";
constexpr char ProcProperty[] = "WNDPROC";

constexpr DWORD ChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD CheckBoxStyle = ChildStyle | WS_TABSTOP | BS_3STATE;
constexpr DWORD GroupBoxStyle = ChildStyle | BS_LEFT | BS_GROUPBOX;
constexpr DWORD MemoStyle =
    ChildStyle | WS_VSCROLL | WS_TABSTOP | ES_WANTRETURN | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE;
constexpr DWORD HScrollStyle = ChildStyle | WS_TABSTOP | SBS_HORZ;
constexpr DWORD VScrollStyle = ChildStyle | WS_TABSTOP | SBS_VERT;
static_assert(CheckBoxStyle == 0x54010005 && GroupBoxStyle == 0x54000107);
static_assert(MemoStyle == 0x54211144 && HScrollStyle == 0x54010000 && VScrollStyle == 0x54010001);

WNDPROC SavedProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropA(hwnd, ProcProperty)); }

TSelfSubClass* AttachedObject(HWND hwnd) {
    return static_cast<TSelfSubClass*>(GetPropA(hwnd, ObjectProperty));
}

// A window whose properties are already gone (it was unhooked while still in
// a chain) falls back to default processing instead of calling null.
LRESULT CallSaved(WNDPROC saved, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return saved ? CallWindowProcA(saved, hwnd, msg, wParam, lParam)
                 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool IsFrom(const TMsgRec& rec, HWND control) {
    return control && reinterpret_cast<HWND>(rec.LParam) == control;
}

WORD NotifyCode(const TMsgRec& rec) { return HIWORD(rec.WParam); }

void CallWithSender(TEventProc proc, const TMsgRec& rec, TObject* sender) {
    if (!proc) return;
    TMsgRec event = rec;
    event.SetSender(sender);
    proc(&event);
}

void CallAsIs(TEventProc proc, TMsgRec event) {
    if (proc) proc(&event);
}

void Listen(UINT msg, TSubClass* receiver) { GlobalDispatcher->Listen(msg, receiver); }

void Describe(TAPICreateParams& p, const char* className, const char* caption, DWORD style,
              DWORD exStyle = 0) {
    p.ClassName = className;
    p.Caption = caption;
    p.Style = style;
    p.ExStyle = exStyle;
    p.X = 50;
    p.Y = 50;
    p.Width = 150;
    p.Height = 32;
}

}  // namespace

LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // The control's own context menu is shown, or replaced, by the wrapper.
    if (msg != WM_CONTEXTMENU) result = CallSaved(SavedProc(hwnd), hwnd, msg, wParam, lParam);
    // Read after the call: the call may have destroyed the object.
    TSelfSubClass* object = AttachedObject(hwnd);
    if (msg == WM_DESTROY) {
        delete object;
        return result;
    }
    if (object) {
        TMsgRec loc{msg, wParam, lParam, 0};
        object->Deliver(loc);
        if (loc.Result) result = loc.Result;
    }
    return result;
}

// ---- TSelfSubClass ----

TSelfSubClass::TSelfSubClass(HWND parent) : TSubClass(parent) {}

TSelfSubClass::~TSelfSubClass() { Unhook(); }

void TSelfSubClass::Init() {
    TAPICreateParams p;
    CreateParams(p);
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlID));
    Handle = CreateWindowExA(p.ExStyle, p.ClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                             p.Width, p.Height, Window, id, GetModuleHandleA(nullptr), nullptr);
    if (IsWindow(Handle)) {
        SetPropA(Handle, ObjectProperty, this);
        const LONG_PTR old =
            SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWndProc));
        SetPropA(Handle, ProcProperty, reinterpret_cast<HANDLE>(old));
    }
    ID = NextControlID++;
    Setup();
}

void TSelfSubClass::Unhook() {
    if (!Handle || AttachedObject(Handle) != this) return;
    const WNDPROC saved = SavedProc(Handle);
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Handle, GWLP_WNDPROC));
    if (current == ControlWndProc) {
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    } else if (GlobalDispatcher) {
        // The dispatcher subclassed the control after us (it is the parent of
        // other controls) and holds ControlWndProc as its predecessor: it takes
        // our predecessor in our place, so the chain stays whole.
        GlobalDispatcher->ReplaceOldProc(Handle, ControlWndProc, saved);
    }
    RemovePropA(Handle, ObjectProperty);
    RemovePropA(Handle, ProcProperty);
}

TMessageMethod TSelfSubClass::FindHandler(UINT msg) const {
    if (msg == WM_CONTEXTMENU) return static_cast<TMessageMethod>(&TSelfSubClass::ContextMenu);
    return nullptr;
}

void TSelfSubClass::ContextMenu(TMsgRec& rec) {
    if (OnContextMenu) {
        rec.SetSender(this);
        OnContextMenu(&rec);
        return;
    }
    rec.Result = CallSaved(SavedProc(Handle), Handle, WM_CONTEXTMENU, rec.WParam, rec.LParam);
}

// ---- TAPIControl ----

void TAPIControl::Setup() { Listen(WM_COMMAND, this); }

void TAPIControl::SetText(const std::string& s) { SetWindowTextA(Handle, s.c_str()); }

void TAPIControl::SetBounds(const RECT& r) {
    MoveWindow(Handle, r.left, r.top, r.right, r.bottom, TRUE);
}

void TAPIControl::SetEnabled(bool flag) { EnableWindow(Handle, flag ? TRUE : FALSE); }

void TAPIControl::SetVisible(bool flag) { ShowWindow(Handle, flag ? SW_SHOWNORMAL : SW_HIDE); }

// ---- TAPICheckBox ----

void TAPICheckBox::CreateParams(TAPICreateParams& p) {
    Describe(p, "BUTTON", "APICheckBox", CheckBoxStyle);
}

void TAPICheckBox::Setup() {
    TAPIControl::Setup();
    Checked = false;
    Locked = false;
}

void TAPICheckBox::SetChecked(bool flag) {
    Checked = flag;
    SendMessageA(Handle, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TAPICheckBox::HandleMessage(TMsgRec& rec) {
    if (Locked) return;
    const TMsgRec loc = rec;
    if (loc.Number() != WM_COMMAND || !IsFrom(loc, Handle) || NotifyCode(loc) != BN_CLICKED) return;
    // The style is not automatic: the wrapper toggles between 0 and 1 itself.
    SetChecked(!Checked);
    CallWithSender(OnClick, loc, this);
}

// ---- TAPIGroupBox ----

void TAPIGroupBox::CreateParams(TAPICreateParams& p) {
    Describe(p, "BUTTON", "APIGroupBox", GroupBoxStyle);
}

void TAPIGroupBox::Setup() { TAPIControl::Setup(); }

// ---- TAPIEditBase ----

void TAPIEditBase::Setup() {
    TAPIControl::Setup();
    BackColor = GetSysColor(COLOR_WINDOW);
    TextColor = GetSysColor(COLOR_WINDOWTEXT);
}

void TAPIEditBase::SetText(const std::string& s) {
    SendMessageA(Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TAPIEditBase::SetReadOnly(bool flag) {
    SendMessageA(Handle, EM_SETREADONLY, flag ? TRUE : FALSE, 0);
}

void TAPIEditBase::SetBackColor(COLORREF c) {
    BackColor = c;
    InvalidateRect(Handle, nullptr, TRUE);
}

void TAPIEditBase::SetTextColor(COLORREF c) {
    TextColor = c;
    InvalidateRect(Handle, nullptr, TRUE);
}

void TAPIEditBase::HandleMessage(TMsgRec& rec) {
    const TMsgRec loc = rec;
    switch (loc.Number()) {
    case WM_KEYUP:
    case WM_LBUTTONUP: CallAsIs(OnKeyMouseUp, loc); break;
    case WM_COMMAND:
        if (IsFrom(loc, Handle)) Notified(loc);
        break;
    default: break;
    }
}

void TAPIEditBase::Notified(const TMsgRec& loc) {
    switch (NotifyCode(loc)) {
    case EN_SETFOCUS: CallWithSender(OnSetFocus, loc, this); break;
    case EN_KILLFOCUS: CallWithSender(OnKillFocus, loc, this); break;
    case EN_CHANGE: CallWithSender(OnChange, loc, this); break;
    case EN_UPDATE: CallWithSender(OnUpdate, loc, this); break;
    case EN_ERRSPACE:
    case EN_MAXTEXT: MessageBoxA(Window, "Edit Control Buffer Full!", "Warning", MB_OK); break;
    default: break;
    }
}

// ---- TAPIMemo ----

void TAPIMemo::CreateParams(TAPICreateParams& p) {
    Describe(p, "EDIT", "", MemoStyle, WS_EX_CLIENTEDGE);
}

void TAPIMemo::Setup() {
    TAPIEditBase::Setup();
    SendMessageA(Handle, EM_LIMITTEXT, 0, 0);  // 0: the largest limit
}

// ---- TAPIHScroll ----

void TAPIHScroll::CreateParams(TAPICreateParams& p) { Describe(p, "SCROLLBAR", "", HScrollStyle); }

void TAPIHScroll::Setup() {
    TAPIControl::Setup();
    SetScrollRange(Handle, SB_CTL, 0, 100, TRUE);
    PageStep = 10;
    LineStep = 1;
    for (UINT msg : {WM_HSCROLL, WM_VSCROLL, WM_CTLCOLORSCROLLBAR}) Listen(msg, this);
}

int TAPIHScroll::Min() const {
    int low = 0, high = 0;
    GetScrollRange(Handle, SB_CTL, &low, &high);
    return low;
}

int TAPIHScroll::Max() const {
    int low = 0, high = 0;
    GetScrollRange(Handle, SB_CTL, &low, &high);
    return high;
}

void TAPIHScroll::SetMin(int v) { SetScrollRange(Handle, SB_CTL, v, Max(), TRUE); }

void TAPIHScroll::SetMax(int v) { SetScrollRange(Handle, SB_CTL, Min(), v, TRUE); }

int TAPIHScroll::Position() const { return GetScrollPos(Handle, SB_CTL); }

void TAPIHScroll::SetPosition(int v) {
    // Clamped before packing: -1 would otherwise travel as 65535 and land on Max.
    const int clamped = std::clamp(v, Min(), std::max(Min(), Max()));
    TMsgRec rec{};
    rec.Msg = WM_HSCROLL;
    rec.WParam = MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(clamped));
    rec.LParam = reinterpret_cast<LPARAM>(Handle);
    Deliver(rec);
}

void TAPIHScroll::SetBarColor(COLORREF c) {
    if (c != BarColor) CachedBrush.Reset();
    BarColor = c;
}

void TAPIHScroll::HandleMessage(TMsgRec& rec) {
    const TMsgRec loc = rec;
    switch (loc.Number()) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (IsFrom(loc, Handle)) Scrolled(loc);
        break;
    case WM_CTLCOLORSCROLLBAR:
        if (IsFrom(loc, Handle) && BarColor) rec.Result = reinterpret_cast<LRESULT>(BarBrush());
        break;
    default: break;
    }
}

void TAPIHScroll::Scrolled(const TMsgRec& loc) {
    const int pos = GetScrollPos(Handle, SB_CTL);
    const int thumb = HIWORD(loc.WParam);  // unsigned 16 bits
    int next = pos;
    TEventProc callback = OnScroll;
    switch (LOWORD(loc.WParam)) {
    case SB_LINEUP: next = pos - LineStep; break;
    case SB_LINEDOWN: next = pos + LineStep; break;
    case SB_PAGEUP: next = pos - PageStep; break;
    case SB_PAGEDOWN: next = pos + PageStep; break;
    case SB_THUMBPOSITION: next = thumb; break;
    case SB_THUMBTRACK:
        next = thumb;
        callback = OnTrack;
        break;
    case SB_TOP: next = Min(); break;
    case SB_BOTTOM: next = Max(); break;
    case SB_ENDSCROLL: CallAsIs(OnScroll, loc); return;
    default: return;
    }
    SetScrollPos(Handle, SB_CTL, next, TRUE);  // clamps to the range
    CallAsIs(callback, loc);
}

HBRUSH TAPIHScroll::BarBrush() {
    if (CachedBrush.Get() && CachedBrushColor != BarColor) CachedBrush.Reset();
    if (!CachedBrush.Get()) {
        CachedBrush.Reset(NewSolidBrush(BarColor));
        CachedBrushColor = BarColor;
    }
    return CachedBrush.Get();
}

// ---- TAPIVScroll ----

void TAPIVScroll::CreateParams(TAPICreateParams& p) { Describe(p, "SCROLLBAR", "", VScrollStyle); }

// ---- factories ----

TAPICheckBox* NewCheckBox(HWND parent, int x, int y, int width, int height,
                          const std::string& caption, TEventProc onClick) {
    auto* box = TSelfSubClass::Create<TAPICheckBox>(parent);
    box->SetBounds(MakeRect(x, y, width, height));
    box->SetText(caption);
    box->OnClick = onClick;
    return box;
}

TAPIGroupBox* NewGroupBox(HWND parent, int x, int y, int width, int height,
                          const std::string& caption) {
    auto* group = TSelfSubClass::Create<TAPIGroupBox>(parent);
    group->SetBounds(MakeRect(x, y, width, height));
    group->SetText(caption);
    return group;
}

TAPIMemo* NewMemo(HWND parent, int x, int y, int width, int height) {
    auto* memo = TSelfSubClass::Create<TAPIMemo>(parent);
    memo->SetBounds(MakeRect(x, y, width, height));
    return memo;
}

namespace {

template <typename TBar>
TBar* NewScrollBar(HWND parent, int x, int y, int width, int height, TEventProc onScroll) {
    auto* bar = TSelfSubClass::Create<TBar>(parent);
    bar->SetBounds(MakeRect(x, y, width, height));
    bar->OnScroll = onScroll;
    bar->OnTrack = onScroll;
    return bar;
}

}  // namespace

TAPIHScroll* NewHScroll(HWND parent, int x, int y, int width, int height, TEventProc onScroll) {
    return NewScrollBar<TAPIHScroll>(parent, x, y, width, height, onScroll);
}

TAPIVScroll* NewVScroll(HWND parent, int x, int y, int width, int height, TEventProc onScroll) {
    return NewScrollBar<TAPIVScroll>(parent, x, y, width, height, onScroll);
}
