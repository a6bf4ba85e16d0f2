#include "CmCtrl.h"

#include "UtilFunc.h"

int32_t NextCommonID = 1000;

namespace {

// Notification codes compare as signed numbers; NMHDR.code is unsigned.
constexpr int CodeOf(UINT code) { return static_cast<int>(code); }
constexpr int NotifyClick = CodeOf(NM_CLICK);
constexpr int NotifyDblClick = CodeOf(NM_DBLCLK);
constexpr int NotifyRightClick = CodeOf(NM_RCLICK);
constexpr int NotifyRightDblClick = CodeOf(NM_RDBLCLK);
constexpr int NotifySimpleMode = CodeOf(SBN_SIMPLEMODECHANGE);
constexpr int NotifySelChanging = CodeOf(TCN_SELCHANGING);
constexpr int NotifySelChange = CodeOf(TCN_SELCHANGE);
static_assert(NotifyClick == -2 && NotifyDblClick == -3 && NotifyRightClick == -5 &&
              NotifyRightDblClick == -6 && NotifySimpleMode == -880);
static_assert(NotifySelChanging == -552 && NotifySelChange == -551);

constexpr LONG StatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_TOP;
static_assert(StatusBarStyle == 0x56000001);
constexpr DWORD TabControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
static_assert(TabControlStyle == 0x56010000);

constexpr int32_t DefaultPartWidth = 80;

void CallNotify(TNotifyProc proc, TMsgRec& loc, NMHDR* header) {
    if (proc) proc(&loc, header);
}

void CallWithSender(TEventProc proc, TMsgRec loc, TObject* sender) {
    if (!proc) return;
    loc.SetSender(sender);
    proc(&loc);
}

LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

}  // namespace

// ---- TCmCtrl ----

TCmCtrl::TCmCtrl(HWND parent) : TSubClass(parent) {
    GlobalDispatcher->Listen(WM_NOTIFY, this);
    InitCommonControls();
}

TCmCtrl::~TCmCtrl() {
    if (IsWindow(Handle)) DestroyWindow(Handle);
}

void TCmCtrl::Init() { CreateHandle(); }

int32_t TCmCtrl::TakeCommonID() { return NextCommonID++; }

NMHDR* TCmCtrl::OwnNotification(const TMsgRec& rec) const {
    if (rec.Number() != WM_NOTIFY || !rec.LParam || !Handle) return nullptr;
    auto* header = reinterpret_cast<NMHDR*>(rec.LParam);
    return header->hwndFrom == Handle ? header : nullptr;
}

// ---- TAPIStatusBar ----

void TAPIStatusBar::Init() {
    TCmCtrl::Init();
    GlobalDispatcher->Listen(WM_SIZE, this);
    PartWidths.fill(DefaultPartWidth);
}

void TAPIStatusBar::CreateHandle() {
    Handle = CreateStatusWindowA(StatusBarStyle, "", Window, static_cast<UINT>(NextCommonID));
    ID = TakeCommonID();
}

void TAPIStatusBar::UpdateSize() { SendMessageA(Handle, WM_SIZE, 0, 0); }

void TAPIStatusBar::SetAlignTop(bool flag) {
    AlignTop = flag;
    LONG style = GetWindowLongA(Handle, GWL_STYLE);
    if (flag)
        style |= CCS_TOP;
    else
        style &= ~static_cast<LONG>(CCS_TOP);
    SetWindowLongA(Handle, GWL_STYLE, style);
    UpdateSize();
}

int32_t TAPIStatusBar::PartCount() const {
    return static_cast<int32_t>(SendMessageA(Handle, SB_GETPARTS, 0, 0));
}

void TAPIStatusBar::SetParts(int32_t count) {
    // Below 1 there is no last part to stretch (and no edge to write).
    if (count < 1 || count > MaxParts) return;
    std::array<int, MaxParts> edges{};
    edges[0] = PartWidths[0];
    for (int32_t i = 1; i < count; ++i) edges[i] = edges[i - 1] + PartWidths[i];
    edges[count - 1] = -1;  // the last part reaches the right end
    SendMessageA(Handle, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
}

int32_t TAPIStatusBar::PartWidth(int32_t index) const {
    return (index >= 0 && index < static_cast<int32_t>(PartWidths.size())) ? PartWidths[index] : 0;
}

void TAPIStatusBar::SetPartWidth(int32_t index, int32_t width) {
    if (index < 0 || index >= static_cast<int32_t>(PartWidths.size())) return;
    PartWidths[index] = width;
    SetParts(PartCount());
}

bool TAPIStatusBar::IsTextPart(int32_t part) {
    return (part >= 0 && part <= 9) || part == SB_SIMPLEID;
}

void TAPIStatusBar::SetText(int32_t part, const std::string& text) {
    if (!IsTextPart(part)) return;
    SendMessageA(Handle, SB_SETTEXTA, static_cast<WPARAM>(part), TextParam(text));
}

void TAPIStatusBar::SetText(int32_t part, const std::wstring& text) {
    if (!IsTextPart(part)) return;
    SendMessageW(Handle, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

void TAPIStatusBar::GetPartRect(int32_t part, RECT& rect) const {
    if (part == WholeBar) {
        GetClientRect(Handle, &rect);
        return;
    }
    SendMessageA(Handle, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect));
}

void TAPIStatusBar::SetMinHeight(int32_t h) {
    MinHeight = h;
    SendMessageA(Handle, SB_SETMINHEIGHT, static_cast<WPARAM>(h), 0);
    UpdateSize();
}

void TAPIStatusBar::HandleMessage(TMsgRec& rec) {
    TMsgRec loc = rec;
    if (loc.Number() == WM_SIZE) {
        // The bar re-lays itself along its parent's edge.
        SendMessageA(Handle, WM_SIZE, loc.WParam, loc.LParam);
        if (loc.WParam != 0 || loc.LParam != 0) CallWithSender(OnSize, loc, this);
        return;
    }
    if (NMHDR* header = OwnNotification(loc)) {
        loc.SetSender(this);
        Notified(loc, header);
    }
}

void TAPIStatusBar::Notified(TMsgRec& loc, NMHDR* header) {
    switch (CodeOf(header->code)) {
    case NotifyClick: CallNotify(OnClick, loc, header); break;
    case NotifyDblClick: CallNotify(OnDblClick, loc, header); break;
    case NotifyRightClick: CallNotify(OnRightClick, loc, header); break;
    case NotifyRightDblClick: CallNotify(OnRightDblClick, loc, header); break;
    case NotifySimpleMode: CallNotify(OnSimpleModeChange, loc, header); break;
    default: break;
    }
}

// ---- TAPITab ----

TAPITab::~TAPITab() {
    if (ImageList) ImageList_Destroy(ImageList);
}

void TAPITab::CreateHandle() {
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextCommonID));
    Handle = CreateWindowExA(0, WC_TABCONTROLA, "", TabStyle(), 0, 0, 100, 100, Window, id,
                             GetModuleHandleA(nullptr), nullptr);
    ID = TakeCommonID();
}

DWORD TAPITab::TabStyle() const { return TabControlStyle; }

void TAPITab::SetBounds(const RECT& r) {
    Bounds = r;
    ItemRect = RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    MoveWindow(Handle, r.left, r.top, r.right, r.bottom, TRUE);
    Changed();
}

void TAPITab::Changed() { CallWithSender(OnLayout, TMsgRec{}, this); }

int32_t TAPITab::InsertItem(int32_t index, const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = index;
    const LRESULT answer = SendMessageA(Handle, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&item));
    Changed();
    return static_cast<int32_t>(answer);
}

int32_t TAPITab::ItemCount() const {
    return static_cast<int32_t>(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0));
}

int32_t TAPITab::AddItem(const std::string& text) { return InsertItem(ItemCount(), text); }

void TAPITab::SetItemText(int32_t index, const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Changed();
}

bool TAPITab::DeleteItem(int32_t index) {
    const LRESULT answer = SendMessageA(Handle, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    Changed();
    return answer != 0;
}

bool TAPITab::DeleteAllItems() {
    const LRESULT answer = SendMessageA(Handle, TCM_DELETEALLITEMS, 0, 0);
    Changed();
    return answer != 0;
}

void TAPITab::GetDisplayRect(RECT& rect) const {
    GetClientRect(Handle, &rect);
    SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
}

int32_t TAPITab::SelectedIndex() const {
    return static_cast<int32_t>(SendMessageA(Handle, TCM_GETCURSEL, 0, 0));
}

void TAPITab::DeliverNotification(NMHDR& header) {
    TMsgRec rec{};
    rec.Msg = WM_NOTIFY;
    rec.WParam = static_cast<WPARAM>(ID);
    rec.LParam = reinterpret_cast<LPARAM>(&header);
    Deliver(rec);
}

void TAPITab::SetSelectedIndex(int32_t index) {
    NMHDR header{};
    header.hwndFrom = Handle;
    header.idFrom = static_cast<UINT_PTR>(ID);
    header.code = TCN_SELCHANGING;
    DeliverNotification(header);  // the old page is still selected
    SendMessageA(Handle, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    header.code = TCN_SELCHANGE;
    DeliverNotification(header);
}

void TAPITab::HandleMessage(TMsgRec& rec) {
    const NMHDR* header = OwnNotification(rec);
    if (!header) return;
    switch (CodeOf(header->code)) {
    case NotifySelChanging: CallWithSender(OnChanging, rec, this); break;
    case NotifySelChange: CallWithSender(OnChange, rec, this); break;
    default: break;
    }
}

// ---- factories ----

TAPIStatusBar* NewStatusBar(HWND parent, bool alignTop) {
    auto* bar = TCmCtrl::Create<TAPIStatusBar>(parent);
    bar->SetAlignTop(alignTop);
    return bar;
}

TAPITab* NewTab(HWND parent, int x, int y, int width, int height, TEventProc onChange) {
    auto* tab = TCmCtrl::Create<TAPITab>(parent);
    tab->SetBounds(MakeRect(x, y, width, height));
    tab->OnChange = onChange;
    return tab;
}
