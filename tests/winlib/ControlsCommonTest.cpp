// Status bar and tab control wrappers on real common controls under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "APIControl.h"
#include "CmCtrl.h"
#include "ControlsHarness.h"

using namespace controls_test;

namespace {

// Taken before any common control of this program exists.
const int32_t InitialCommonID = NextCommonID;

struct TEvent {
    std::string Kind;
    TMsgRec Rec;
    UINT Code;     // NMHDR code, when there is one
    int Selected;  // the tab's selection at the call
};
std::vector<TEvent> Events;

TAPITab* WatchedTab = nullptr;
int SelectionNow() { return WatchedTab ? WatchedTab->SelectedIndex() : -99; }

UINT CodeOf(const TMsgRec* rec) {
    return rec->LParam ? reinterpret_cast<const NMHDR*>(rec->LParam)->code : 0;
}

void RecordChanging(TMsgRec* rec) { Events.push_back({"changing", *rec, CodeOf(rec), SelectionNow()}); }
void RecordChange(TMsgRec* rec) { Events.push_back({"change", *rec, CodeOf(rec), SelectionNow()}); }
void RecordLayout(TMsgRec* rec) { Events.push_back({"layout", *rec, 0, 0}); }
void RecordSize(TMsgRec* rec) { Events.push_back({"size", *rec, 0, 0}); }
void RecordNotify(TMsgRec* rec, NMHDR* header) { Events.push_back({"notify", *rec, header->code, 0}); }

std::vector<std::string> Kinds() {
    std::vector<std::string> kinds;
    for (const TEvent& e : Events) kinds.push_back(e.Kind);
    return kinds;
}

RECT ClientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class CommonControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Events.clear();
        WatchedTab = nullptr;
    }
    TParentWindow parent{400, 300};
};

using CommonControlIdentifierTest = CommonControlTest;

TEST_F(CommonControlIdentifierTest, IdentifiersCountFrom1000ApartFromTheStandardControls) {
    EXPECT_EQ(InitialCommonID, 1000);
    const int32_t first = NextCommonID;
    const int32_t standard = NextControlID;
    auto* bar = NewStatusBar(parent.Handle, false);
    auto* tab = NewTab(parent.Handle, 0, 0, 100, 100, nullptr);
    EXPECT_EQ(bar->ID, first);
    EXPECT_EQ(tab->ID, first + 1);
    EXPECT_EQ(GetDlgCtrlID(bar->Handle), first);
    EXPECT_EQ(GetDlgCtrlID(tab->Handle), first + 1);
    EXPECT_EQ(NextControlID, standard);
}

// ---- status bar ----

class StatusBarTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        bar = NewStatusBar(parent.Handle, false);
    }
    std::vector<int> Edges() {
        std::vector<int> edges(16);
        const auto count = SendMessageA(bar->Handle, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        edges.resize(static_cast<size_t>(count));
        return edges;
    }
    std::string TextOfPart(int part) {
        char text[128]{};
        SendMessageA(bar->Handle, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
        return text;
    }

    TAPIStatusBar* bar{};
};

TEST_F(StatusBarTest, SitsAlongTheBottomOfItsParent) {
    EXPECT_EQ(GetWindowLongA(bar->Handle, GWL_STYLE) & CCS_TOP, 0);
    EXPECT_FALSE(bar->AlignTop);
    const RECT r = RectInParent(bar->Handle);
    EXPECT_EQ(r.bottom, ClientRectOf(parent.Handle).bottom);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 400);
    for (int32_t width : bar->PartWidths) EXPECT_EQ(width, 80);
    bar->SetAlignTop(true);
    EXPECT_NE(GetWindowLongA(bar->Handle, GWL_STYLE) & CCS_TOP, 0);
}

struct TPartsCase {
    const char* Name;
    int32_t Count;
    std::vector<int> Expected;
};

class StatusBarPartsTest : public StatusBarTest, public ::testing::WithParamInterface<TPartsCase> {};

TEST_P(StatusBarPartsTest, RightEdgesFollowTheWidthsAndTheLastPartStretches) {
    const TPartsCase& c = GetParam();
    bar->PartWidths[0] = 80;
    bar->PartWidths[1] = 50;
    bar->PartWidths[2] = 30;
    bar->SetParts(2);  // a known starting point: 80, -1
    bar->SetParts(c.Count);
    EXPECT_EQ(Edges(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(PerCount, StatusBarPartsTest,
                         ::testing::Values(TPartsCase{"One", 1, {-1}}, TPartsCase{"Three", 3, {80, 130, -1}},
                                           TPartsCase{"TenIgnored", 10, {80, -1}},
                                           TPartsCase{"ZeroIgnored", 0, {80, -1}},
                                           TPartsCase{"NegativeIgnored", -1, {80, -1}}),
                         [](const auto& tested) { return std::string(tested.param.Name); });

TEST_F(StatusBarTest, SetPartWidthReappliesEveryPart) {
    bar->SetParts(8);
    bar->SetPartWidth(4, 120);
    EXPECT_EQ(bar->PartWidth(4), 120);
    EXPECT_EQ(Edges(), (std::vector<int>{80, 160, 240, 320, 440, 520, 600, -1}));
    bar->SetPartWidth(10, 5);  // ignored
    EXPECT_EQ(bar->PartWidth(10), 0);
    EXPECT_EQ(bar->PartWidth(-1), 0);
    EXPECT_EQ(bar->PartCount(), 8);
}

TEST_F(StatusBarTest, TextsRoundTripInAnsiAndUtf16) {
    bar->SetParts(3);
    bar->SetText(0, std::string("H 120"));
    bar->SetText(2, std::string("V 45"));
    EXPECT_EQ(TextOfPart(0), "H 120");
    EXPECT_EQ(TextOfPart(2), "V 45");

    const std::wstring wide = L"\u8272\u76f8 120";
    bar->SetText(1, wide);
    wchar_t text[64]{};
    SendMessageW(bar->Handle, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), wide);

    bar->SetText(12, std::string("ignored"));
    bar->SetText(-1, std::string("ignored"));
    EXPECT_EQ(TextOfPart(0), "H 120");
    EXPECT_EQ(TextOfPart(2), "V 45");
}

TEST_F(StatusBarTest, SimplePartTakesItsOwnText) {
    SendMessageA(bar->Handle, SB_SIMPLE, TRUE, 0);
    bar->SetText(SB_SIMPLEID, std::string("simple"));
    // In simple mode the bar reads back the simple text (Wine answers it for
    // part 0); leaving simple mode brings the parts' own texts back.
    EXPECT_EQ(TextOfPart(0), "simple");
    SendMessageA(bar->Handle, SB_SIMPLE, FALSE, 0);
    EXPECT_EQ(TextOfPart(0), "");
}

TEST_F(StatusBarTest, PartRectanglesAndTheWholeBar) {
    bar->PartWidths[1] = 50;
    bar->SetParts(3);
    RECT whole{};
    bar->GetPartRect(TAPIStatusBar::WholeBar, whole);
    const RECT client = ClientRectOf(bar->Handle);
    EXPECT_TRUE(EqualRect(&whole, &client));
    RECT second{};
    bar->GetPartRect(1, second);
    EXPECT_GE(second.left, 80 - 2);
    EXPECT_LE(second.right, 130 + 2);
}

TEST_F(StatusBarTest, MinimumHeightGrowsTheBar) {
    const LONG before = ClientRectOf(bar->Handle).bottom;
    bar->SetMinHeight(before + 20);
    EXPECT_EQ(bar->MinHeight, before + 20);
    EXPECT_GT(ClientRectOf(bar->Handle).bottom, before);
    EXPECT_EQ(RectInParent(bar->Handle).bottom, ClientRectOf(parent.Handle).bottom);
}

TEST_F(StatusBarTest, FollowsTheParentsSizeAndReportsIt) {
    bar->OnSize = RecordSize;
    SetWindowPos(parent.Handle, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    const RECT r = RectInParent(bar->Handle);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 200);
    ASSERT_EQ(Kinds(), std::vector<std::string>{"size"});
    EXPECT_EQ(Events[0].Rec.Sender(), bar);
    SendMessageA(parent.Handle, WM_SIZE, 0, 0);
    EXPECT_EQ(Events.size(), 1u);
}

struct TMouseNotifyCase {
    const char* Name;
    UINT Message;
    UINT Code;
};

class StatusBarNotifyTest : public StatusBarTest, public ::testing::WithParamInterface<TMouseNotifyCase> {};

TEST_P(StatusBarNotifyTest, MouseOnTheBarCallsItsNotifyCallback) {
    const TMouseNotifyCase& c = GetParam();
    bar->OnClick = bar->OnDblClick = bar->OnRightClick = bar->OnRightDblClick = RecordNotify;
    SendMessageA(bar->Handle, c.Message, 0, PointParam(10, 5));
    ASSERT_EQ(Kinds(), std::vector<std::string>{"notify"});
    EXPECT_EQ(Events[0].Code, c.Code);
    EXPECT_EQ(Events[0].Rec.Sender(), bar);
}

INSTANTIATE_TEST_SUITE_P(PerButton, StatusBarNotifyTest,
                         ::testing::Values(TMouseNotifyCase{"Click", WM_LBUTTONUP, NM_CLICK},
                                           TMouseNotifyCase{"DoubleClick", WM_LBUTTONDBLCLK, NM_DBLCLK},
                                           TMouseNotifyCase{"RightClick", WM_RBUTTONUP, NM_RCLICK},
                                           TMouseNotifyCase{"RightDoubleClick", WM_RBUTTONDBLCLK, NM_RDBLCLK}),
                         [](const auto& tested) { return std::string(tested.param.Name); });

TEST_F(StatusBarTest, NotificationsOfOtherControlsAreNotItsOwn) {
    bar->OnClick = RecordNotify;
    NMHDR header{};
    header.hwndFrom = parent.Handle;
    header.code = NM_CLICK;
    SendMessageA(parent.Handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_TRUE(Events.empty());
}

// ---- tab control ----

class TabTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        tab = NewTab(parent.Handle, 10, 20, 300, 200, RecordChange);
        tab->OnChanging = RecordChanging;
        WatchedTab = tab;
    }
    void AddThree() {
        for (const char* text : {"TypeA", "TypeB", "TypeC"}) tab->AddItem(text);
        Events.clear();
    }
    std::string ItemText(int index) {
        char text[64]{};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(tab->Handle, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    TAPITab* tab{};
};

TEST_F(TabTest, PlacedByItsBounds) {
    const RECT r = RectInParent(tab->Handle);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 310);
    EXPECT_EQ(r.bottom, 220);
    EXPECT_EQ(tab->ItemRect.right, 310);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tab->Handle, GWL_STYLE)) & 0xFFFF0000u, 0x56010000u);
}

TEST_F(TabTest, EveryItemChangeLaysOutOnce) {
    tab->OnLayout = RecordLayout;
    EXPECT_EQ(tab->AddItem("TypeA"), 0);
    EXPECT_EQ(tab->AddItem("TypeB"), 1);
    EXPECT_EQ(tab->InsertItem(0, "First"), 0);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"layout", "layout", "layout"}));
    EXPECT_EQ(Events[0].Rec.Sender(), tab);
    EXPECT_EQ(tab->ItemCount(), 3);
    EXPECT_EQ(ItemText(0), "First");

    tab->SetItemText(1, "Renamed");
    EXPECT_EQ(ItemText(1), "Renamed");
    EXPECT_TRUE(tab->DeleteItem(0));
    EXPECT_EQ(tab->ItemCount(), 2);
    EXPECT_TRUE(tab->DeleteAllItems());
    EXPECT_EQ(tab->ItemCount(), 0);
    EXPECT_EQ(Events.size(), 6u);
}

TEST_F(TabTest, FirstInsertedTabIsSelected) {
    tab->AddItem("TypeA");
    EXPECT_EQ(tab->SelectedIndex(), 0);
}

TEST_F(TabTest, SetSelectedIndexReportsChangingOnTheOldPageThenChange) {
    AddThree();
    tab->SetSelectedIndex(2);
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(Events[0].Selected, 0);
    EXPECT_EQ(Events[1].Selected, 2);
    EXPECT_EQ(Events[0].Code, static_cast<UINT>(TCN_SELCHANGING));
    EXPECT_EQ(Events[1].Code, static_cast<UINT>(TCN_SELCHANGE));
    for (const TEvent& e : Events) {
        EXPECT_EQ(e.Rec.Sender(), tab);
        EXPECT_EQ(e.Rec.WParam, static_cast<WPARAM>(tab->ID));
    }
    Events.clear();
    tab->SetSelectedIndex(2);  // already selected: both still run
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"changing", "change"}));
}

TEST_F(TabTest, ClickOnAnotherTabReportsChangingThenChange) {
    AddThree();
    RECT item{};
    SendMessageA(tab->Handle, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const int x = (item.left + item.right) / 2;
    const int y = (item.top + item.bottom) / 2;
    SendMessageA(tab->Handle, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    SendMessageA(tab->Handle, WM_LBUTTONUP, 0, PointParam(x, y));
    EXPECT_EQ(tab->SelectedIndex(), 1);
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(Events[0].Selected, 0);
    EXPECT_EQ(Events[1].Selected, 1);
}

TEST_F(TabTest, DisplayRectangleLiesBelowTheTabs) {
    AddThree();
    RECT page{};
    tab->GetDisplayRect(page);
    RECT item{};
    SendMessageA(tab->Handle, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const RECT client = ClientRectOf(tab->Handle);
    EXPECT_GE(page.top, item.bottom);
    EXPECT_GT(page.left, client.left);
    EXPECT_LT(page.right, client.right);
    EXPECT_LT(page.bottom, client.bottom);
}

// ---- destruction ----

using CommonControlDestroyTest = CommonControlTest;

TEST_F(CommonControlDestroyTest, DeletingTheWrapperDestroysTheControl) {
    auto* bar = NewStatusBar(parent.Handle, false);
    auto* tab = NewTab(parent.Handle, 0, 0, 100, 100, nullptr);
    const HWND barHandle = bar->Handle;
    const HWND tabHandle = tab->Handle;
    delete bar;
    delete tab;
    EXPECT_FALSE(IsWindow(barHandle));
    EXPECT_FALSE(IsWindow(tabHandle));
}

TEST_F(CommonControlDestroyTest, ParentTakesTabPagesAndTheirControlsWithIt) {
    auto* bar = NewStatusBar(parent.Handle, false);
    auto* tab = NewTab(parent.Handle, 0, 0, 300, 200, nullptr);
    tab->AddItem("Config");
    // A page inside the tab, with controls on it, as the program builds them.
    HWND page = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 30, 200, 100, tab->Handle, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    auto* box = NewCheckBox(page, 5, 5, 100, 20, "OnTop", nullptr);
    auto* memo = NewMemo(tab->Handle, 0, 0, 0, 0);
    const HWND tabHandle = tab->Handle;

    parent.Destroy();
    for (const TSubClass* receiver : std::vector<const TSubClass*>{bar, tab, box, memo})
        EXPECT_FALSE(GlobalDispatcher->IsLive(receiver));
    EXPECT_FALSE(IsWindow(tabHandle));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(tabHandle));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(page));
}

}  // namespace
