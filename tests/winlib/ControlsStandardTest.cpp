// Standard control wrappers on real controls under Wine: identifiers, styles,
// the check box, scroll bars, the memo, and the procedure chain of a group
// box that is subclassed twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "APIControl.h"
#include "ControlsHarness.h"

using namespace controls_test;

namespace {

// Taken before any control of this program exists.
const int32_t InitialControlID = NextControlID;

struct TEvent {
    std::string Kind;
    TMsgRec Rec;
    int Position;  // the bar's position, or the box's check state, at the call
};
std::vector<TEvent> Events;

void RecordCheck(TMsgRec* rec) {
    auto* box = dynamic_cast<TAPICheckBox*>(rec->Sender());
    Events.push_back({"click", *rec, box ? box->Checked : -1});
}

// Scroll callbacks get the record unchanged: the bar is found by its handle.
TAPIHScroll* ScrolledBar = nullptr;
void RecordScroll(TMsgRec* rec) { Events.push_back({"scroll", *rec, ScrolledBar->Position()}); }
void RecordTrack(TMsgRec* rec) { Events.push_back({"track", *rec, ScrolledBar->Position()}); }
void RecordEdit(TMsgRec* rec) { Events.push_back({"edit", *rec, 0}); }
void RecordFocus(TMsgRec* rec) { Events.push_back({"focus", *rec, 0}); }
void RecordKillFocus(TMsgRec* rec) { Events.push_back({"killfocus", *rec, 0}); }
void RecordChange(TMsgRec* rec) { Events.push_back({"change", *rec, 0}); }
void RecordUpdate(TMsgRec* rec) { Events.push_back({"update", *rec, 0}); }
void RecordContextMenu(TMsgRec* rec) { Events.push_back({"menu", *rec, 0}); }

std::vector<std::string> Kinds() {
    std::vector<std::string> kinds;
    for (const TEvent& e : Events) kinds.push_back(e.Kind);
    return kinds;
}

std::string TextOf(HWND window) {
    char text[256]{};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window) {
    char name[64]{};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

WNDPROC CurrentProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

class StandardControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Events.clear();
        ScrolledBar = nullptr;
    }
    LRESULT Command(HWND from, WORD code) {
        return SendMessageA(parent.Handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(from), code),
                            reinterpret_cast<LPARAM>(from));
    }

    TParentWindow parent;
};

// ---- creation ----

using ControlCreationTest = StandardControlTest;

TEST_F(ControlCreationTest, IdentifiersCountFrom400AcrossAllClasses) {
    EXPECT_EQ(InitialControlID, 400);
    const int32_t first = NextControlID;
    TAPIControl* controls[] = {NewCheckBox(parent.Handle, 0, 0, 50, 20, "c", nullptr),
                               NewGroupBox(parent.Handle, 0, 0, 50, 20, "g"),
                               NewMemo(parent.Handle, 0, 0, 50, 20),
                               NewHScroll(parent.Handle, 0, 0, 50, 20, nullptr),
                               NewVScroll(parent.Handle, 0, 0, 20, 50, nullptr)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(controls[i]->ID, first + i);
        EXPECT_EQ(GetDlgCtrlID(controls[i]->Handle), first + i);
    }
}

TEST_F(ControlCreationTest, FailedCreationStillTakesAnIdentifier) {
    const int32_t first = NextControlID;
    // A child window without a parent cannot be created.
    auto* orphan = TSelfSubClass::Create<TAPICheckBox>(nullptr);
    EXPECT_EQ(orphan->Handle, nullptr);
    EXPECT_EQ(orphan->ID, first);
    EXPECT_EQ(NextControlID, first + 1);
    delete orphan;
}

struct TCreationCase {
    const char* Name;
    TAPIControl* (*Make)(HWND parent);
    const char* ClassName;
    const char* Caption;
    DWORD Style;
    DWORD ExStyle;
};

class ControlDescriptionTest : public StandardControlTest,
                               public ::testing::WithParamInterface<TCreationCase> {};

TEST_P(ControlDescriptionTest, ControlHasItsClassStyleCaptionAndSubclass) {
    const TCreationCase& c = GetParam();
    TAPIControl* control = c.Make(parent.Handle);
    ASSERT_TRUE(IsWindow(control->Handle));
    EXPECT_EQ(ClassOf(control->Handle), c.ClassName);
    EXPECT_EQ(TextOf(control->Handle), c.Caption);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control->Handle, GWL_STYLE)), c.Style);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control->Handle, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, c.ExStyle);
    EXPECT_EQ(CurrentProc(control->Handle), ControlWndProc);
    EXPECT_EQ(GetPropA(control->Handle, "OBJECT"), control);
    EXPECT_NE(GetPropA(control->Handle, "WNDPROC"), nullptr);
    EXPECT_EQ(GetParent(control->Handle), parent.Handle);
}

INSTANTIATE_TEST_SUITE_P(
    PerClass, ControlDescriptionTest,
    ::testing::Values(
        TCreationCase{"CheckBox", [](HWND p) -> TAPIControl* { return TSelfSubClass::Create<TAPICheckBox>(p); },
                      "Button", "APICheckBox", 0x54010005, 0},
        TCreationCase{"GroupBox", [](HWND p) -> TAPIControl* { return TSelfSubClass::Create<TAPIGroupBox>(p); },
                      "Button", "APIGroupBox", 0x54000107, 0},
        TCreationCase{"Memo", [](HWND p) -> TAPIControl* { return TSelfSubClass::Create<TAPIMemo>(p); }, "Edit",
                      "", 0x54211144, WS_EX_CLIENTEDGE},
        TCreationCase{"HScroll", [](HWND p) -> TAPIControl* { return TSelfSubClass::Create<TAPIHScroll>(p); },
                      "ScrollBar", "", 0x54010000, 0},
        TCreationCase{"VScroll", [](HWND p) -> TAPIControl* { return TSelfSubClass::Create<TAPIVScroll>(p); },
                      "ScrollBar", "", 0x54010001, 0}),
    [](const auto& tested) { return std::string(tested.param.Name); });

TEST_F(ControlCreationTest, FactoryPlacesCaptionsAndTheCommonSettersWork) {
    auto* box = NewCheckBox(parent.Handle, 10, 20, 100, 24, "Go", nullptr);
    RECT r{};
    GetWindowRect(box->Handle, &r);
    MapWindowPoints(nullptr, parent.Handle, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.bottom, 44);
    EXPECT_EQ(TextOf(box->Handle), "Go");
    box->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(box->Handle));
    box->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(box->Handle));
    box->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(box->Handle));
}

// ---- check box ----

using CheckBoxTest = StandardControlTest;

TEST_F(CheckBoxTest, UserClickTogglesThenCallsOnClick) {
    auto* box = NewCheckBox(parent.Handle, 10, 10, 100, 24, "Check", RecordCheck);
    SendMessageA(box->Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked);
    EXPECT_EQ(SendMessageA(box->Handle, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box->Handle, BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked);
    EXPECT_EQ(SendMessageA(box->Handle, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ASSERT_EQ(Kinds(), (std::vector<std::string>{"click", "click"}));
    EXPECT_EQ(Events[0].Position, 1);  // the state had changed before the call
    EXPECT_EQ(Events[1].Position, 0);
    EXPECT_EQ(Events[0].Rec.Sender(), box);
    EXPECT_EQ(reinterpret_cast<HWND>(Events[0].Rec.LParam), box->Handle);
}

TEST_F(CheckBoxTest, OnlyItsOwnClickNotificationToggles) {
    auto* box = NewCheckBox(parent.Handle, 10, 10, 100, 24, "Check", RecordCheck);
    auto* other = NewCheckBox(parent.Handle, 10, 40, 100, 24, "Other", nullptr);
    Command(other->Handle, BN_CLICKED);
    Command(box->Handle, BN_DOUBLECLICKED);
    EXPECT_FALSE(box->Checked);
    box->SetChecked(true);
    EXPECT_EQ(SendMessageA(box->Handle, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(Events.empty());
    Command(box->Handle, BN_CLICKED);
    EXPECT_FALSE(box->Checked);
    EXPECT_EQ(Kinds(), std::vector<std::string>{"click"});
}

TEST_F(CheckBoxTest, LockedBoxIgnoresClicks) {
    auto* box = NewCheckBox(parent.Handle, 10, 10, 100, 24, "Check", RecordCheck);
    box->Locked = true;
    SendMessageA(box->Handle, BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked);
    EXPECT_EQ(SendMessageA(box->Handle, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(Events.empty());
}

// ---- scroll bars ----

class ScrollBarTest : public StandardControlTest {
protected:
    void SetUp() override {
        StandardControlTest::SetUp();
        bar = NewHScroll(parent.Handle, 10, 10, 200, 16, RecordScroll);
        bar->OnTrack = RecordTrack;
        ScrolledBar = bar;
    }
    void Scroll(TAPIHScroll* target, UINT msg, WORD code, WORD thumb = 0) {
        SendMessageA(parent.Handle, msg, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(target->Handle));
    }

    TAPIHScroll* bar{};
};

TEST_F(ScrollBarTest, StartsOnTheRange0To100WithSteps10And1) {
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->PageStep, 10);
    EXPECT_EQ(bar->LineStep, 1);
}

struct TScrollCase {
    const char* Name;
    WORD Code;
    WORD Thumb;
    int Expected;
    const char* Callback;  // empty: none
};

class ScrollCodeTest : public ScrollBarTest, public ::testing::WithParamInterface<TScrollCase> {};

TEST_P(ScrollCodeTest, CodeMovesThePositionAndCallsItsCallback) {
    const TScrollCase& c = GetParam();
    SetScrollPos(bar->Handle, SB_CTL, 50, TRUE);
    Scroll(bar, WM_HSCROLL, c.Code, c.Thumb);
    EXPECT_EQ(bar->Position(), c.Expected);
    if (std::string(c.Callback).empty()) {
        EXPECT_TRUE(Events.empty());
        return;
    }
    ASSERT_EQ(Kinds(), std::vector<std::string>{c.Callback});
    EXPECT_EQ(Events[0].Position, c.Expected);
    EXPECT_EQ(Events[0].Rec.Msg, static_cast<uintptr_t>(WM_HSCROLL));
    EXPECT_EQ(reinterpret_cast<HWND>(Events[0].Rec.LParam), bar->Handle);
}

INSTANTIATE_TEST_SUITE_P(
    PerCode, ScrollCodeTest,
    ::testing::Values(TScrollCase{"LineUp", SB_LINEUP, 0, 49, "scroll"},
                      TScrollCase{"LineDown", SB_LINEDOWN, 0, 51, "scroll"},
                      TScrollCase{"PageUp", SB_PAGEUP, 0, 40, "scroll"},
                      TScrollCase{"PageDown", SB_PAGEDOWN, 0, 60, "scroll"},
                      TScrollCase{"ThumbPosition", SB_THUMBPOSITION, 70, 70, "scroll"},
                      TScrollCase{"ThumbTrack", SB_THUMBTRACK, 30, 30, "track"},
                      TScrollCase{"Top", SB_TOP, 0, 0, "scroll"},
                      TScrollCase{"Bottom", SB_BOTTOM, 0, 100, "scroll"},
                      TScrollCase{"EndScroll", SB_ENDSCROLL, 0, 50, "scroll"},
                      TScrollCase{"UnknownCode", 9, 0, 50, ""}),
    [](const auto& tested) { return std::string(tested.param.Name); });

TEST_F(ScrollBarTest, StepsStopAtTheEndsButStillReport) {
    Scroll(bar, WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(bar->Position(), 0);
    SetScrollPos(bar->Handle, SB_CTL, 95, TRUE);
    Scroll(bar, WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"scroll", "scroll"}));
}

TEST_F(ScrollBarTest, AnotherBarsNotificationsAreIgnored) {
    auto* other = NewHScroll(parent.Handle, 10, 40, 200, 16, nullptr);
    Scroll(other, WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(other->Position(), 10);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(Events.empty());
}

TEST_F(ScrollBarTest, SetPositionOnAVerticalBarFiresOnScrollThroughTheHorizontalRecord) {
    auto* vertical = NewVScroll(parent.Handle, 250, 10, 16, 200, RecordScroll);
    ScrolledBar = vertical;
    Scroll(vertical, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(vertical->Position(), 1);
    Events.clear();
    vertical->SetPosition(42);
    EXPECT_EQ(vertical->Position(), 42);
    ASSERT_EQ(Kinds(), std::vector<std::string>{"scroll"});
    const TMsgRec& rec = Events[0].Rec;
    EXPECT_EQ(rec.Msg, static_cast<uintptr_t>(WM_HSCROLL));
    EXPECT_EQ(LOWORD(rec.WParam), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(rec.WParam), 42);
    EXPECT_EQ(reinterpret_cast<HWND>(rec.LParam), vertical->Handle);
}

TEST_F(ScrollBarTest, SetPositionClampsToTheRangeBeforePacking) {
    bar->SetMax(300);
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 150);
    bar->SetPosition(-1);  // packed unclamped it would read 65535 and land on Max
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMin(1);
    EXPECT_EQ(bar->Min(), 1);
    EXPECT_EQ(bar->Max(), 300);
    bar->SetPosition(0);
    EXPECT_EQ(bar->Position(), 1);
    bar->SetPosition(100000);
    EXPECT_EQ(bar->Position(), 300);
}

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH lb{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
    return lb.lbColor;
}

TEST_F(ScrollBarTest, BarColourBrushIsKeptPerColourAndFreed) {
    HDC dc = GetDC(bar->Handle);
    const auto ctlColor = [&] {
        return SendMessageA(parent.Handle, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(bar->Handle));
    };
    EXPECT_EQ(ctlColor(), DefWindowProcA(parent.Handle, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(bar->Handle)));

    bar->SetBarColor(RGB(255, 0, 0));
    const LRESULT red = ctlColor();
    EXPECT_EQ(ctlColor(), red);
    EXPECT_EQ(BrushColour(red), RGB(255, 0, 0));

    bar->SetBarColor(RGB(0, 0, 255));
    const LRESULT blue = ctlColor();
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(red)), 0u);
    EXPECT_EQ(BrushColour(blue), RGB(0, 0, 255));

    bar->BarColor = RGB(0, 255, 0);  // written directly, as a field
    const LRESULT green = ctlColor();
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(blue)), 0u);
    EXPECT_EQ(BrushColour(green), RGB(0, 255, 0));

    ReleaseDC(bar->Handle, dc);
    delete bar;
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(green)), 0u);
}

// ---- memo ----

class MemoTest : public StandardControlTest {
protected:
    void SetUp() override {
        StandardControlTest::SetUp();
        memo = NewMemo(parent.Handle, 10, 10, 200, 100);
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p) SendMessageA(memo->Handle, WM_CHAR, static_cast<WPARAM>(*p), 1);
    }

    TAPIMemo* memo{};
};

TEST_F(MemoTest, SetupTakesSystemColoursAndTheLargestLimit) {
    EXPECT_EQ(memo->BackColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(memo->TextColor, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_GT(SendMessageA(memo->Handle, EM_GETLIMITTEXT, 0, 0), 0xFFFF);
}

TEST_F(MemoTest, TextAndReadOnly) {
    memo->SetText("first\r\nsecond");
    EXPECT_EQ(TextOf(memo->Handle), "first\r\nsecond");
    memo->SetReadOnly(true);
    EXPECT_NE(GetWindowLongA(memo->Handle, GWL_STYLE) & ES_READONLY, 0);
    memo->SetReadOnly(false);
    EXPECT_EQ(GetWindowLongA(memo->Handle, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(MemoTest, EditNotificationsReachTheirCallbacksWithTheMemoAsSender) {
    memo->OnChange = RecordChange;
    memo->OnUpdate = RecordUpdate;
    memo->OnSetFocus = RecordFocus;
    memo->OnKillFocus = RecordKillFocus;
    SetFocus(memo->Handle);
    Type("x");
    SetFocus(parent.Handle);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"focus", "update", "change", "killfocus"}));
    for (const TEvent& e : Events) EXPECT_EQ(e.Rec.Sender(), memo);
}

TEST_F(MemoTest, KeyAndMouseUpOfTheMemoItselfArriveUnchanged) {
    memo->OnKeyMouseUp = RecordEdit;
    SendMessageA(memo->Handle, WM_KEYUP, 'A', 0);
    SendMessageA(memo->Handle, WM_LBUTTONUP, 0, PointParam(5, 5));
    SendMessageA(parent.Handle, WM_LBUTTONUP, 0, PointParam(5, 5));  // the parent's: not the memo's
    ASSERT_EQ(Events.size(), 2u);
    EXPECT_EQ(Events[0].Rec.Msg, static_cast<uintptr_t>(WM_KEYUP));
    EXPECT_EQ(Events[0].Rec.WParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(Events[1].Rec.Msg, static_cast<uintptr_t>(WM_LBUTTONUP));
}

// The message box, caught as it activates and closed with OK.
struct TSeenBox {
    std::string Caption;
    std::vector<std::string> Texts;
    HWND Owner{};
    int Count{};
};
TSeenBox SeenBox;
HHOOK BoxHook{};

BOOL CALLBACK CollectText(HWND child, LPARAM) {
    SeenBox.Texts.push_back(TextOf(child));
    return TRUE;
}

LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam) {
    auto box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && ClassOf(box) == "#32770") {
        ++SeenBox.Count;
        SeenBox.Caption = TextOf(box);
        SeenBox.Owner = GetWindow(box, GW_OWNER);
        EnumChildWindows(box, CollectText, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(BoxHook, code, wParam, lParam);
}

TEST_F(MemoTest, FullBufferShowsTheWarningBoxOwnedByTheParent) {
    SeenBox = {};
    SendMessageA(memo->Handle, EM_LIMITTEXT, 3, 0);
    BoxHook = SetWindowsHookExA(WH_CBT, CatchBox, nullptr, GetCurrentThreadId());
    Type("abcd");
    UnhookWindowsHookEx(BoxHook);
    EXPECT_EQ(SeenBox.Count, 1);
    EXPECT_EQ(SeenBox.Caption, "Warning");
    EXPECT_NE(std::find(SeenBox.Texts.begin(), SeenBox.Texts.end(), "Edit Control Buffer Full!"),
              SeenBox.Texts.end());
    EXPECT_EQ(SeenBox.Owner, GetAncestor(parent.Handle, GA_ROOT));
    EXPECT_EQ(TextOf(memo->Handle), "abc");
}

TEST_F(MemoTest, ContextMenuCallbackReplacesTheStandardMenu) {
    memo->OnContextMenu = RecordContextMenu;
    SendMessageA(memo->Handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo->Handle), PointParam(20, 20));
    ASSERT_EQ(Kinds(), std::vector<std::string>{"menu"});
    EXPECT_EQ(Events[0].Rec.Sender(), memo);
}

// The edit control's own menu is modal: a timer ends it once it is up.
bool MenuShown = false;
void CALLBACK EndShownMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    MenuShown = FindWindowA("#32768", nullptr) != nullptr;
    EndMenu();
}

TEST_F(MemoTest, WithoutCallbackTheStandardMenuIsShown) {
    MenuShown = false;
    POINT at{20, 20};
    ClientToScreen(memo->Handle, &at);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, EndShownMenu);
    SendMessageA(memo->Handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo->Handle), PointParam(at.x, at.y));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(MenuShown);
}

// ---- destroy order and the double-subclassed group box ----

using DestroyOrderTest = StandardControlTest;

TEST_F(DestroyOrderTest, GroupBoxHoldingScrollBarsDiesWithItsParent) {
    auto* group = NewGroupBox(parent.Handle, 10, 10, 200, 100, "Group");
    auto* h = NewHScroll(group->Handle, 10, 20, 150, 16, nullptr);
    auto* v = NewVScroll(group->Handle, 170, 20, 16, 70, nullptr);
    auto* box = NewCheckBox(parent.Handle, 10, 120, 100, 24, "Check", nullptr);
    const HWND groupHandle = group->Handle;
    // Subclassed twice: the wrapper first, then the dispatcher for its bars.
    EXPECT_EQ(CurrentProc(groupHandle), DispatcherWndProc);
    EXPECT_EQ(GlobalDispatcher->OldWndProc(groupHandle), ControlWndProc);

    parent.Destroy();
    for (const TSubClass* receiver : std::vector<const TSubClass*>{group, h, v, box})
        EXPECT_FALSE(GlobalDispatcher->IsLive(receiver));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(groupHandle));
}

TEST_F(DestroyOrderTest, WrapperLettingGoFirstHandsItsPredecessorToTheDispatcher) {
    auto* group = NewGroupBox(parent.Handle, 10, 10, 200, 100, "Group");
    auto* h = NewHScroll(group->Handle, 10, 20, 150, 16, nullptr);
    const HWND groupHandle = group->Handle;
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(groupHandle, "WNDPROC"));

    delete group;  // as when the dispatcher destroys it at its parent's WM_DESTROY
    EXPECT_EQ(CurrentProc(groupHandle), DispatcherWndProc);
    EXPECT_EQ(GlobalDispatcher->OldWndProc(groupHandle), original);
    EXPECT_EQ(GetPropA(groupHandle, "OBJECT"), nullptr);
    EXPECT_EQ(GetPropA(groupHandle, "WNDPROC"), nullptr);

    // The chain still works: the bar hears its notifications through the group.
    SendMessageA(groupHandle, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(h->Handle));
    EXPECT_EQ(h->Position(), 10);
    EXPECT_EQ(TextOf(groupHandle), "Group");

    DestroyWindow(groupHandle);
    EXPECT_FALSE(GlobalDispatcher->IsLive(h));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(groupHandle));
}

TEST_F(DestroyOrderTest, GroupBoxDestroyedAloneTakesItsWrapperAndBarsWithIt) {
    auto* group = NewGroupBox(parent.Handle, 10, 10, 200, 100, "Group");
    auto* h = NewHScroll(group->Handle, 10, 20, 150, 16, nullptr);
    auto* box = NewCheckBox(parent.Handle, 10, 120, 100, 24, "Check", nullptr);
    const HWND groupHandle = group->Handle;
    DestroyWindow(groupHandle);
    EXPECT_FALSE(GlobalDispatcher->IsLive(group));
    EXPECT_FALSE(GlobalDispatcher->IsLive(h));
    EXPECT_FALSE(GlobalDispatcher->IsSubclassed(groupHandle));
    // The parent's other controls carry on.
    SendMessageA(box->Handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked);
}

TEST_F(DestroyOrderTest, UnhookedControlProcedureFallsBackToDefaultProcessing) {
    HWND plain = CreateWindowExA(0, "STATIC", "abc", WS_CHILD, 0, 0, 10, 10, parent.Handle, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWndProc));
    EXPECT_EQ(SendMessageA(plain, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_TRUE(DestroyWindow(plain));
}

}  // namespace
