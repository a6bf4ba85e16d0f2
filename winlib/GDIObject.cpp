#include "GDIObject.h"

#include "UtilFunc.h"

namespace {

constexpr UINT FaceTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
constexpr UINT LabelTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_EXTERNALLEADING;

// A solid brush that lives for one paint.
class TPaintBrush {
public:
    explicit TPaintBrush(COLORREF colour) : Handle(CreateSolidBrush(colour)) {}
    ~TPaintBrush() { DeleteObject(Handle); }
    TPaintBrush(const TPaintBrush&) = delete;
    TPaintBrush& operator=(const TPaintBrush&) = delete;
    const HBRUSH Handle;
};

// The parent's client area for one paint.
class TParentDC {
public:
    explicit TParentDC(HWND window) : Window(window), Handle(GetDC(window)) {}
    ~TParentDC() { ReleaseDC(Window, Handle); }
    TParentDC(const TParentDC&) = delete;
    TParentDC& operator=(const TParentDC&) = delete;
    const HWND Window;
    const HDC Handle;
};

void PaintSolid(HDC dc, const RECT& rect, COLORREF colour) {
    TPaintBrush brush(colour);
    FillRect(dc, &rect, brush.Handle);
}

void FrameWithColour(HDC dc, const RECT& rect, COLORREF colour) {
    TPaintBrush brush(colour);
    FrameRect(dc, &rect, brush.Handle);
}

void DrawFaceEdge(HDC dc, RECT rect, int32_t edge) {
    DrawEdge(dc, &rect, static_cast<UINT>(edge), BF_RECT);
}

void DrawCaption(HDC dc, const std::string& caption, RECT& rect, UINT format) {
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
}

void Call(TEventProc proc, TMsgRec event) {
    if (proc) proc(&event);
}

}  // namespace

// ---- TGDIObject ----

TGDIObject::TGDIObject(HWND parent) : TSubClass(parent) {}

TGDIObject::~TGDIObject() { Invalidate(); }

void TGDIObject::Init() { SetBounds(MakeRect(0, 0, 0, 0)); }

void TGDIObject::Repaint() {
    TMsgRec rec{};
    rec.Msg = WM_PAINT;
    Deliver(rec);
}

void TGDIObject::Invalidate() { InvalidateRect(Window, &ItemRect, TRUE); }

void TGDIObject::SetBounds(const RECT& r) {
    Bounds = r;
    Invalidate();
    ItemRect = RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    Repaint();
}

void TGDIObject::SetVisible(bool flag) {
    Visible = flag;
    if (flag)
        Repaint();
    else
        Invalidate();
}

void TGDIObject::SetEnabled(bool flag) {
    Enabled = flag;
    Repaint();
}

bool TGDIObject::Contains(LPARAM point) const {
    const auto bits = static_cast<DWORD>(point);
    const POINT p{static_cast<LONG>(LOWORD(bits)), static_cast<LONG>(HIWORD(bits))};
    return PtInRect(&ItemRect, p) != FALSE;
}

// ---- TAPISpeedBtn ----

TAPISpeedBtn::TAPISpeedBtn(HWND parent) : TGDIObject(parent) {
    for (UINT msg : {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE})
        GlobalDispatcher->Listen(msg, this);
}

void TAPISpeedBtn::SetCaption(const std::string& s) {
    Caption = s;
    Repaint();
}

void TAPISpeedBtn::HandleMessage(TMsgRec& rec) {
    const TMsgRec loc = rec;
    if (!Visible) return;
    switch (loc.Number()) {
    case WM_PAINT: PaintFace(); break;
    case WM_LBUTTONDOWN: LeftDown(loc); break;
    case WM_LBUTTONUP: LeftUp(loc); break;
    case WM_MOUSEMOVE: MouseMove(loc); break;
    case WM_RBUTTONUP: RightUp(loc); break;
    default: break;
    }
}

void TAPISpeedBtn::PaintFace() {
    TParentDC dc(Window);
    PaintSolid(dc.Handle, ItemRect, FaceColor());
    DrawFaceEdge(dc.Handle, ItemRect, Edge);
    if (!Caption.empty()) {
        SetupText(dc.Handle);
        RECT text = ItemRect;
        const int d = TextShift();
        OffsetRect(&text, d, d);
        DrawCaption(dc.Handle, Caption, text, FaceTextFormat);
        FinishText(dc.Handle);
    }
    PaintOverFace(dc.Handle);
}

COLORREF TAPISpeedBtn::FaceColor() const { return GetSysColor(COLOR_BTNFACE); }

void TAPISpeedBtn::SetupText(HDC dc) {
    if (!Enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    Font.Select(dc);
}

int TAPISpeedBtn::TextShift() const { return Edge == EdgeRaised ? TextOffset : TextOffset - 1; }

void TAPISpeedBtn::FinishText(HDC dc) { Font.Deselect(dc); }

TMsgRec TAPISpeedBtn::EventOf(const TMsgRec& mouse) {
    TMsgRec event = mouse;
    event.SetSender(this);
    return event;
}

void TAPISpeedBtn::LeftDown(const TMsgRec& mouse) {
    if (!Enabled || !Contains(mouse.LParam)) return;
    Edge = EdgeSunken;
    Pressed = true;
    Repaint();
}

void TAPISpeedBtn::MouseMove(const TMsgRec& mouse) {
    if (!Enabled || !Pressed || Contains(mouse.LParam)) return;
    Edge = EdgeRaised;
    Pressed = false;
    Repaint();
}

void TAPISpeedBtn::LeftUp(const TMsgRec& mouse) {
    if (!Enabled || !Pressed || !Contains(mouse.LParam)) return;
    Edge = EdgeRaised;
    Pressed = false;
    Repaint();
    Call(OnClick, EventOf(mouse));
}

// ---- TAPIColorBtn ----

TAPIColorBtn::TAPIColorBtn(HWND parent) : TAPISpeedBtn(parent), Color(GetSysColor(COLOR_BTNFACE)) {}

void TAPIColorBtn::SetColor(COLORREF c) {
    Color = c;
    Repaint();
}

COLORREF TAPIColorBtn::FaceColor() const {
    return Enabled ? Color : GetSysColor(COLOR_BTNFACE);
}

void TAPIColorBtn::SetupText(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled ? TextColor : GetSysColor(COLOR_GRAYTEXT));
}

int TAPIColorBtn::TextShift() const { return Edge == EdgeRaised ? 1 : -1; }

void TAPIColorBtn::FinishText(HDC /*dc*/) {}

// ---- TCDPlusBtn ----

TCDPlusBtn::TCDPlusBtn(HWND parent) : TAPIColorBtn(parent), SavedColor(GetSysColor(COLOR_BTNFACE)) {
    GlobalDispatcher->Listen(WM_RBUTTONUP, this);
}

void TCDPlusBtn::SetEdge(int32_t e) {
    Edge = e;
    RestEdge = e;
}

bool TCDPlusBtn::CancelPress() {
    if (!Pressed) return false;
    ReleaseCapture();
    Edge = RestEdge;
    Pressed = false;
    Color = SavedColor;
    Repaint();
    return true;
}

void TCDPlusBtn::SetupText(HDC dc) { TAPISpeedBtn::SetupText(dc); }

int TCDPlusBtn::TextShift() const {
    return (Edge == EdgeRaised || Edge == EdgeEtched) ? TextOffset : TextOffset - 1;
}

void TCDPlusBtn::FinishText(HDC dc) { Font.Deselect(dc); }

void TCDPlusBtn::PaintOverFace(HDC dc) {
    if (!InnerEdge) return;
    DrawFaceEdge(dc, RECT{ItemRect.left + 1, ItemRect.top + 1, ItemRect.right - 2, ItemRect.bottom - 2},
                 Edge);
}

TMsgRec TCDPlusBtn::EventOf(const TMsgRec& mouse) {
    TMsgRec event = TAPIColorBtn::EventOf(mouse);
    event.WParam = static_cast<WPARAM>(static_cast<INT_PTR>(Tag));
    return event;
}

void TCDPlusBtn::Press() {
    Edge = EdgeSunken;
    Pressed = true;
    SavedColor = Color;
    Repaint();
}

void TCDPlusBtn::LeftDown(const TMsgRec& mouse) {
    if (!Enabled || !Contains(mouse.LParam)) return;
    Press();
    SetCapture(Window);
    if (PressCursor) SetCursor(PressCursor);
    Call(OnMouseDown, EventOf(mouse));
}

void TCDPlusBtn::MouseMove(const TMsgRec& mouse) {
    // Captured moves come from anywhere: no inside test.
    if (!Enabled || !Pressed || !OnDrag) return;
    if (PressCursor) SetCursor(PressCursor);
    Call(OnDrag, EventOf(mouse));
}

void TCDPlusBtn::Release(const TMsgRec& mouse) {
    Edge = RestEdge;
    Pressed = false;
    Repaint();
    if (Contains(mouse.LParam)) Call(OnClick, EventOf(mouse));
}

void TCDPlusBtn::LeftUp(const TMsgRec& mouse) {
    if (!Enabled) return;
    ReleaseCapture();
    if (Pressed) Release(mouse);
}

void TCDPlusBtn::RightUp(const TMsgRec& mouse) {
    if (Contains(mouse.LParam)) Call(OnRightClick, EventOf(mouse));
}

// ---- TCDPlusNoBtn ----

void TCDPlusNoBtn::SetupText(HDC dc) {
    Font.Select(dc);
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled) SetTextColor(dc, DisabledUsesFontColor ? Font.Color : GetSysColor(COLOR_GRAYTEXT));
}

void TCDPlusNoBtn::LeftDown(const TMsgRec& mouse) {
    if (!Enabled || !Contains(mouse.LParam)) return;
    Press();
    const HWND parent = Window;  // the callback may destroy this control
    Call(OnMouseDown, EventOf(mouse));
    SetCapture(parent);
}

void TCDPlusNoBtn::LeftUp(const TMsgRec& mouse) {
    if (!Pressed) return;
    // The capture goes even when the button was disabled while held;
    // otherwise the parent would keep the mouse until it is deactivated.
    ReleaseCapture();
    if (Enabled) Release(mouse);
}

// ---- TAPILabel ----

TAPILabel::TAPILabel(HWND parent) : TGDIObject(parent) { GlobalDispatcher->Listen(WM_PAINT, this); }

void TAPILabel::Init() {
    TGDIObject::Init();
    Repaint();
}

void TAPILabel::SetBackColor(COLORREF c) {
    BackColor = c;
    Repaint();
}

void TAPILabel::SetCaption(const std::string& s) {
    Caption = s;
    Repaint();
}

void TAPILabel::SetTextFlags(UINT f) {
    TextFlags = f;
    Repaint();
}

void TAPILabel::SetFillMode(int32_t m) {
    FillMode = m;
    Repaint();
}

void TAPILabel::HandleMessage(TMsgRec& rec) {
    if (Visible && rec.Number() == WM_PAINT) Paint();
}

void TAPILabel::Paint() {
    TParentDC dc(Window);
    if (FillMode == FillSolid) PaintSolid(dc.Handle, ItemRect, BackColor);
    if (Framed) FrameWithColour(dc.Handle, ItemRect, FrameColor);
    SetBkMode(dc.Handle, TRANSPARENT);
    Font.Select(dc.Handle);
    RECT text = ItemRect;
    InflateRect(&text, -Margin, -Margin);
    DrawCaption(dc.Handle, Caption, text, TextFlags | LabelTextFormat);
    Font.Deselect(dc.Handle);
}

// ---- factories ----

TCDPlusNoBtn* NewPlusButton(HWND parent, int x, int y, int width, int height, int32_t tag,
                            const std::string& caption, int32_t edge, TEventProc onClick) {
    auto* button = TGDIObject::Create<TCDPlusNoBtn>(parent);
    button->SetBounds(MakeRect(x, y, width, height));
    button->SetCaption(caption);
    button->OnClick = onClick;
    button->Tag = tag;
    button->SetEdge(edge);
    button->DisabledUsesFontColor = true;
    return button;
}

TAPILabel* NewLabel(HWND parent, int x, int y, int width, int height, const std::string& caption) {
    auto* label = TGDIObject::Create<TAPILabel>(parent);
    label->SetBounds(MakeRect(x, y, width, height));
    label->SetCaption(caption);
    return label;
}
