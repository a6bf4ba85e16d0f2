// The library's own windows and the window utilities, with real windows and
// real messages. Every window object here lives above 4 GiB, and its memory
// becomes unreadable once it is destroyed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "APIWindow.h"
#include "HighHeap.h"
#include "UtilFunc.h"

namespace {

std::vector<std::string> Log;

constexpr UINT MsgA = WM_APP + 1;
constexpr COLORREF Rose = RGB(200, 30, 90);
constexpr COLORREF Teal = RGB(20, 140, 150);

class TTestMain : public TSDIMainWindow, public THighHeapObject {
public:
    using TSDIMainWindow::TSDIMainWindow;
    ~TTestMain() override { Log.push_back("~" + Caption); }
};

// A panel that logs every message its class procedure hands it.
class TTestPanel : public TAPIPanel, public THighHeapObject {
public:
    using TAPIPanel::TAPIPanel;
    ~TTestPanel() override { Log.push_back("~panel"); }
    void HandleMessage(TMsgRec& rec) override {
        Handed.push_back(rec.Number());
        TAPIPanel::HandleMessage(rec);
    }
    std::vector<UINT> Handed;
};

// Without a window manager, Wine spends two seconds destroying a top-level
// window that was activated. Tests therefore create their windows hidden and
// show those they read pixels from without activating them.
constexpr DWORD Hidden = WS_OVERLAPPEDWINDOW;
constexpr DWORD Popup = WS_POPUP;

DWORD TestStyle = Hidden;
void ApplyTestStyle(TWndCreateParams* p) {
    p->Style = TestStyle;
    if ((TestStyle & WS_POPUP) != 0) {
        p->X = 20;
        p->Y = 20;
        p->Width = 400;
        p->Height = 300;
    }
}

TTestMain* NewMain(const std::string& caption, DWORD style = Hidden) {
    auto* window = new TTestMain(nullptr, caption);
    TestStyle = style;
    window->OnCreateParams = ApplyTestStyle;
    window->CreateWnd();
    return window;
}

TTestMain* NewShownPopup(const std::string& caption) {
    TTestMain* window = NewMain(caption, Popup);
    ShowWindow(window->Handle, SW_SHOWNOACTIVATE);
    UpdateWindow(window->Handle);
    return window;
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// The panel's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child) {
    RECT r = WindowRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ClassNameOf(HWND hwnd) {
    char name[64]{};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[64]{};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

void PumpMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Each test starts with an empty log and leaves no window, receiver or
// dispatcher behind.
class LibraryWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Log.clear(); }
    void TearDown() override {
        for (HWND hwnd : Windows) {
            if (IsWindow(hwnd)) DestroyWindow(hwnd);
        }
        PumpMessages();
        FreeGlobalDispatcher();
        THighHeap::ReleaseAll();
    }
    template <typename T>
    T* Keep(T* window) {
        Windows.push_back(window->Handle);
        return window;
    }
    std::vector<HWND> Windows;
};

// ---- TAPIWindow family and WindowWndProc ----

class MainWindowTest : public LibraryWindowTest {};

TTestMain* Creating = nullptr;
void CheckAttachedDuringCreate(TMsgRec* rec) {
    Log.push_back("OnCreate");
    EXPECT_EQ(rec->Msg, static_cast<uintptr_t>(WM_CREATE));
    ASSERT_NE(Creating, nullptr);
    EXPECT_TRUE(IsWindow(Creating->Handle));
    EXPECT_EQ(GetPropA(Creating->Handle, "OBJECT"), static_cast<TAPIWindow*>(Creating));
}

TEST_F(MainWindowTest, CreateWndAttachesTheObjectBeforeOnCreateAndShowsTheWindow) {
    // the class's own defaults, shown: the one framed window that is shown
    Creating = new TTestMain(nullptr, "WinTestCreate");
    Creating->OnCreate = CheckAttachedDuringCreate;
    EXPECT_EQ(Creating->Handle, nullptr);  // no window before CreateWnd
    Creating->CreateWnd();
    TTestMain* window = Keep(Creating);
    Creating = nullptr;
    EXPECT_EQ(Log, (std::vector<std::string>{"OnCreate"}));
    ASSERT_TRUE(IsWindow(window->Handle));
    EXPECT_TRUE(IsWindowVisible(window->Handle));
    EXPECT_EQ(ClassNameOf(window->Handle), "WinTestCreate");
    EXPECT_EQ(TextOf(window->Handle), "WinTestCreate");
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window->Handle, GWL_STYLE));
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    // The property holds the object at full width, above 4 GiB.
    EXPECT_TRUE(THighHeap::IsHigh(window));
    EXPECT_EQ(GetPropA(window->Handle, "OBJECT"), static_cast<TAPIWindow*>(window));
}

void LogOnDestroy(TMsgRec* rec) {
    Log.push_back(rec->Msg == WM_DESTROY ? "OnDestroy" : "OnDestroy: wrong message");
}

TEST_F(MainWindowTest, DestroyRunsOnDestroyThenFreesTheObject) {
    auto* window = new TTestMain(nullptr, "WinTestDestroy");
    window->OnDestroy = LogOnDestroy;
    TestStyle = Hidden;
    window->OnCreateParams = ApplyTestStyle;
    window->CreateWnd();
    HWND hwnd = window->Handle;
    DestroyWindow(hwnd);
    EXPECT_EQ(Log, (std::vector<std::string>{"OnDestroy", "~WinTestDestroy"}));
    EXPECT_TRUE(THighHeap::IsFreed(window));
    EXPECT_FALSE(IsWindow(hwnd));
}

void RefuseCreation(TMsgRec* rec) { rec->Result = -1; }

// The failed creation destroys the object inside CreateWindowExA; CreateWnd
// must not touch it afterwards (its memory is unreadable now).
// Windows sends WM_DESTROY for the refused window, Wine only WM_NCDESTROY:
// either way the object dies exactly once.
TEST_F(MainWindowTest, CreationRefusedByOnCreateLeavesNothingBehind) {
    auto* window = new TTestMain(nullptr, "WinTestRefused");
    window->OnCreate = RefuseCreation;
    window->OnDestroy = LogOnDestroy;
    window->CreateWnd();
    EXPECT_TRUE(THighHeap::IsFreed(window));
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.back(), "~WinTestRefused");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "~WinTestRefused"), 1);
    EXPECT_EQ(FindWindowA("WinTestRefused", nullptr), nullptr);
}

TEST_F(MainWindowTest, TwoWindowsOfOneCaptionShareOneClass) {
    TTestMain* first = Keep(NewMain("WinTestTwin"));
    TTestMain* second = Keep(NewMain("WinTestTwin"));
    ASSERT_TRUE(IsWindow(first->Handle));
    ASSERT_TRUE(IsWindow(second->Handle));
    EXPECT_NE(first->Handle, second->Handle);
    EXPECT_EQ(GetClassLongPtrA(first->Handle, GCW_ATOM), GetClassLongPtrA(second->Handle, GCW_ATOM));
}

// The class brush (the window colour) never shows: erasing fills BackColor.
TEST_F(MainWindowTest, EraseBackgroundFillsBackColorAndAnswers1) {
    TTestMain* window = Keep(NewShownPopup("WinTestErase"));
    window->SetBackColor(Rose);
    const SIZE client = ClientSize(window->Handle);
    HDC screen = GetDC(window->Handle);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.cx, client.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_EQ(SendMessageA(window->Handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 0, 0), Rose);
    EXPECT_EQ(GetPixel(memory, client.cx - 1, client.cy - 1), Rose);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window->Handle, screen);

    window->SetBackColor(Teal);  // invalidates: the next paint shows it
    UpdateWindow(window->Handle);
    EXPECT_EQ(PixelOf(window->Handle, client.cx / 2, client.cy / 2), Teal);
}

TEST_F(MainWindowTest, CursorIsSetOnlyOverTheClientArea) {
    TTestMain* window = Keep(NewMain("WinTestCursor"));
    EXPECT_EQ(window->Cursor, LoadCursorA(nullptr, IDC_ARROW));
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    window->Cursor = cross;
    const auto over = [&](WORD hit) {
        return SendMessageA(window->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle),
                            MAKELPARAM(hit, WM_MOUSEMOVE));
    };
    SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
    EXPECT_EQ(over(HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), cross);
    SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
    over(HTCAPTION);  // the default procedure's affair
    EXPECT_NE(GetCursor(), cross);
}

struct ClientSizeCase {
    DWORD Style;
    int Width;
    int Height;
};


class ClientSizeTest : public LibraryWindowTest, public ::testing::WithParamInterface<ClientSizeCase> {};

TEST_P(ClientSizeTest, WidthThenHeightGiveExactlyThatClientArea) {
    const ClientSizeCase& c = GetParam();
    TTestMain* window = Keep(NewMain("WinTestClientSize", c.Style));
    const RECT before = WindowRect(window->Handle);
    window->SetClientWidth(c.Width);
    window->SetClientHeight(c.Height);
    const SIZE client = ClientSize(window->Handle);
    EXPECT_EQ(client.cx, c.Width);
    EXPECT_EQ(client.cy, c.Height);
    const RECT after = WindowRect(window->Handle);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

INSTANTIATE_TEST_SUITE_P(Styles, ClientSizeTest,
                         ::testing::Values(ClientSizeCase{WS_OVERLAPPEDWINDOW, 344, 338},
                                           // the main window's fixed-size frame
                                           ClientSizeCase{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 344, 332},
                                           ClientSizeCase{WS_POPUP, 123, 45}));

std::vector<std::string> HandlerLog;
void Answer42(TMsgRec* rec) {
    HandlerLog.push_back("first");
    rec->Result = 42;
}
void SecondHandler(TMsgRec*) { HandlerLog.push_back("second"); }
void LeaveZero(TMsgRec*) { HandlerLog.push_back("zero"); }
void TableCommand(TMsgRec*) { HandlerLog.push_back("table:command"); }
void OnCommandLog(TMsgRec* rec) { HandlerLog.push_back("OnCommand:" + std::to_string(rec->WParam)); }

TEST_F(MainWindowTest, HandlerTableUsesTheFirstEntryAndZeroFallsThrough) {
    HandlerLog.clear();
    TTestMain* window = Keep(NewMain("WinTestTable"));
    window->AddMessageHandler(MsgA, Answer42);
    window->AddMessageHandler(MsgA, SecondHandler);
    window->AddMessageHandler(WM_GETTEXTLENGTH, LeaveZero);
    EXPECT_EQ(window->HandlerCount, 3);
    EXPECT_EQ(SendMessageA(window->Handle, MsgA, 0, 0), 42);
    EXPECT_EQ(SendMessageA(window->Handle, MsgA, 0, 0), 42);
    // a zero Result leaves the message to the default procedure
    EXPECT_EQ(SendMessageA(window->Handle, WM_GETTEXTLENGTH, 0, 0), 12);  // "WinTestTable"
    EXPECT_EQ(HandlerLog, (std::vector<std::string>{"first", "first", "zero"}));
}

TEST_F(MainWindowTest, CommandGoesToOnCommandNotToTheTable) {
    HandlerLog.clear();
    TTestMain* window = Keep(NewMain("WinTestCommand"));
    window->OnCommand = OnCommandLog;
    window->AddMessageHandler(WM_COMMAND, TableCommand);
    SendMessageA(window->Handle, WM_COMMAND, 7, 0);
    EXPECT_EQ(HandlerLog, (std::vector<std::string>{"OnCommand:7"}));
}

TEST_F(MainWindowTest, ClassIconRoundTripsAtFullWidth) {
    TTestMain* window = Keep(NewMain("WinTestIcon"));
    EXPECT_EQ(window->ClassIcon(), LoadIconA(nullptr, IDI_APPLICATION));
    HICON question = LoadIconA(nullptr, IDI_QUESTION);
    window->SetClassIcon(question);
    EXPECT_EQ(window->ClassIcon(), question);
}

TEST_F(MainWindowTest, CenterOnScreenUsesTheWholeScreenRoundingTowardZero) {
    TTestMain* window = Keep(NewMain("WinTestCenter", Popup));  // no size limits
    const SIZE screen = ScreenSize();
    EXPECT_EQ(screen.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(screen.cy, GetSystemMetrics(SM_CYSCREEN));
    ResizeWindow(window->Handle, 301, 201);
    window->CenterOnScreen();
    RECT r = WindowRect(window->Handle);
    EXPECT_EQ(r.left, (screen.cx - 301) / 2);
    EXPECT_EQ(r.top, (screen.cy - 201) / 2);

    // wider than the screen by an odd amount: -101 / 2 is -50, not -51
    ResizeWindow(window->Handle, screen.cx + 101, 201);
    EXPECT_TRUE(CenterWindow(window->Handle));
    r = WindowRect(window->Handle);
    EXPECT_EQ(r.right - r.left, screen.cx + 101);
    EXPECT_EQ(r.left, -50);
}

// ---- TAPIPanel and PanelWndProc ----

class PanelTest : public LibraryWindowTest {
protected:
    void SetUp() override {
        LibraryWindowTest::SetUp();
        Parent = Keep(NewShownPopup("WinTestPanelParent"));
        Parent->SetClientWidth(400);
        Parent->SetClientHeight(300);
    }
    TTestPanel* NewTestPanel(int x, int y, int width, int height) {
        auto* panel = new TTestPanel(Parent->Handle, "");
        panel->CreateWnd();
        panel->SetBounds(x, y, width, height);
        return panel;
    }
    TTestMain* Parent{};
};

TEST_F(PanelTest, NewPanelMakesAVisibleChildAtItsBounds) {
    TAPIPanel* panel = NewPanel(Parent->Handle, 10, 20, 120, 60);
    ASSERT_TRUE(IsWindow(panel->Handle));
    EXPECT_EQ(GetParent(panel->Handle), Parent->Handle);
    EXPECT_EQ(ClassNameOf(panel->Handle), "APIPanel");
    EXPECT_EQ(TextOf(panel->Handle), "APIPanel");
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(panel->Handle, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<DWORD>(0x54000000));
    EXPECT_EQ(GetWindowLongPtrA(panel->Handle, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
    const RECT r = RectInParent(panel->Handle);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(ClientSize(panel->Handle).cx, 120);
    EXPECT_EQ(ClientSize(panel->Handle).cy, 60);
    EXPECT_EQ(panel->Cursor, nullptr);

    panel->SetBounds(MakeRect(5, 6, 70, 40));  // a MakeRect record reads as x, y, width, height
    EXPECT_EQ(RectInParent(panel->Handle).left, 5);
    EXPECT_EQ(RectInParent(panel->Handle).top, 6);
    EXPECT_EQ(ClientSize(panel->Handle).cx, 70);
    EXPECT_EQ(ClientSize(panel->Handle).cy, 40);
    panel->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(panel->Handle));
    panel->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(panel->Handle));
}

TEST_F(PanelTest, CreationResetsTheEdges) {
    auto* panel = new TTestPanel(Parent->Handle, "");
    panel->OuterEdge = TEdgeKind::Sunken;
    panel->InnerEdge = TEdgeKind::Raised;
    panel->EdgeGap = 9;
    panel->CreateWnd();
    EXPECT_EQ(panel->OuterEdge, TEdgeKind::Raised);
    EXPECT_EQ(panel->InnerEdge, TEdgeKind::None);
    EXPECT_EQ(panel->EdgeGap, 2);
}

// Raised outer edge (light over dark-shadow, then highlight over shadow), the
// gap of 2, then a sunken inner edge (shadow over highlight, then dark-shadow
// over light), and BackColor inside.
TEST_F(PanelTest, PaintsItsEdgesAroundBackColor) {
    TTestPanel* panel = NewTestPanel(10, 10, 60, 40);
    panel->SetBackColor(Rose);
    panel->SetInnerEdge(TEdgeKind::Sunken);
    UpdateWindow(panel->Handle);
    HWND h = panel->Handle;
    EXPECT_EQ(PixelOf(h, 0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(PixelOf(h, 1, 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(PixelOf(h, 59, 39), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelOf(h, 58, 38), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelOf(h, 2, 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelOf(h, 3, 3), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelOf(h, 57, 37), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(PixelOf(h, 56, 36), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(PixelOf(h, 4, 4), Rose);
    EXPECT_EQ(PixelOf(h, 30, 20), Rose);

    panel->SetOuterEdge(TEdgeKind::None);
    panel->SetInnerEdge(TEdgeKind::None);
    UpdateWindow(h);
    EXPECT_EQ(PixelOf(h, 0, 0), Rose);
    EXPECT_EQ(PixelOf(h, 3, 3), Rose);
}

bool HasUpdateRegion(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

TEST_F(PanelTest, PaintValidatesEvenWithoutEdges) {
    TTestPanel* panel = NewTestPanel(0, 0, 50, 50);
    panel->SetOuterEdge(TEdgeKind::None);
    panel->SetInnerEdge(TEdgeKind::None);
    EXPECT_TRUE(HasUpdateRegion(panel->Handle));
    UpdateWindow(panel->Handle);
    EXPECT_FALSE(HasUpdateRegion(panel->Handle));
}

// A window of the panel class without an object must still be validated, or
// WM_PAINT would come back for ever.
TEST_F(PanelTest, PanelWithoutAnObjectIsStillValidated) {
    NewTestPanel(0, 0, 10, 10);  // registers the class
    HWND bare = CreateWindowExA(0, "APIPanel", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 40, Parent->Handle, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(GetPropA(bare, "OBJECT"), nullptr);
    InvalidateRect(bare, nullptr, TRUE);
    UpdateWindow(bare);
    EXPECT_FALSE(HasUpdateRegion(bare));
}

std::vector<std::string> ParentLog;
void ParentContextMenu(TMsgRec*) { ParentLog.push_back("parent:contextmenu"); }

TEST_F(PanelTest, ContextMenuAnswers0AndIsNotPassedToTheParent) {
    ParentLog.clear();
    Parent->AddMessageHandler(WM_CONTEXTMENU, ParentContextMenu);
    TTestPanel* panel = NewTestPanel(0, 0, 50, 50);
    EXPECT_EQ(SendMessageA(panel->Handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle), MAKELPARAM(5, 5)),
              0);
    EXPECT_TRUE(ParentLog.empty());
    SendMessageA(Parent->Handle, WM_CONTEXTMENU, 0, 0);  // the parent's handler does work
    EXPECT_EQ(ParentLog, (std::vector<std::string>{"parent:contextmenu"}));
}

// Only paint, erase and context menu reach the panel object; on WM_DESTROY it
// is destroyed without being handed the message.
TEST_F(PanelTest, OnlyThreeMessagesReachThePanelObject) {
    TTestPanel* panel = NewTestPanel(0, 0, 50, 50);
    UpdateWindow(panel->Handle);
    SendMessageA(panel->Handle, WM_CONTEXTMENU, 0, 0);
    SendMessageA(panel->Handle, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(panel->Handle, WM_COMMAND, 1, 0);
    SendMessageA(panel->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle), HTCLIENT);
    std::vector<UINT> handed = panel->Handed;
    for (UINT msg : handed) EXPECT_TRUE(msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_CONTEXTMENU) << msg;
    EXPECT_NE(std::find(handed.begin(), handed.end(), static_cast<UINT>(WM_PAINT)), handed.end());
    EXPECT_NE(std::find(handed.begin(), handed.end(), static_cast<UINT>(WM_CONTEXTMENU)), handed.end());

    DestroyWindow(Parent->Handle);
    EXPECT_TRUE(THighHeap::IsFreed(panel));
    EXPECT_EQ(Log, (std::vector<std::string>{"~WinTestPanelParent", "~panel"}));
}

// A trapper on a panel gets what the panel object never sees, after the panel's
// own procedure, and dies with the panel.
std::vector<LPARAM> Clicks;
void RecordClick(TMsgRec* rec) { Clicks.push_back(rec->LParam); }

TEST_F(PanelTest, TrapperHooksThePanelAndDiesWithIt) {
    Clicks.clear();
    TTestPanel* panel = NewTestPanel(0, 0, 50, 50);
    auto* trapper = new TMessageTrapper(panel->Handle);
    trapper->AddHandler(WM_LBUTTONDOWN, RecordClick);
    SendMessageA(panel->Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    EXPECT_EQ(Clicks, (std::vector<LPARAM>{MAKELPARAM(7, 9)}));
    DestroyWindow(panel->Handle);
    EXPECT_FALSE(GlobalDispatcher->IsLive(trapper));
    EXPECT_EQ(GlobalDispatcher->SubclassedWnds.Count(), 0);
}

// ---- Window utilities ----

class UtilFuncTest : public LibraryWindowTest {};

TEST_F(UtilFuncTest, PathsNameThisProgram) {
    const std::string path = ModulePath();
    const std::string file = "winlib_windows_tests.exe";
    ASSERT_GT(path.size(), file.size());
    EXPECT_EQ(path.substr(path.size() - file.size() - 1), "\\" + file);
    EXPECT_EQ(ExeBaseName(), "winlib_windows_tests");
    EXPECT_EQ(ExeFolder() + "\\" + file, path);
}

void QuitWith7(TMsgRec* rec) {
    Log.push_back("posted:" + std::to_string(rec->WParam));
    PostQuitMessage(7);
}

TEST_F(UtilFuncTest, MessageLoopRunsUntilQuitAndReturnsItsCode) {
    TTestMain* window = Keep(NewMain("WinTestLoop"));
    window->AddMessageHandler(MsgA, QuitWith7);
    PostMessageA(window->Handle, MsgA, 1, 0);
    EXPECT_EQ(RunMessageLoop(), 7);
    EXPECT_EQ(Log, (std::vector<std::string>{"posted:1"}));
}

TEST_F(UtilFuncTest, PlacementHelpersChangeOnlyWhatTheySay) {
    TTestMain* window = Keep(NewMain("WinTestPlace"));
    HWND h = window->Handle;
    ASSERT_TRUE(ResizeWindow(h, 250, 150));
    ASSERT_TRUE(MoveWindowTo(h, 30, 40));
    RECT r = WindowRect(h);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 150);
    ASSERT_TRUE(ResizeWindow(h, 260, 170));
    r = WindowRect(h);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 260);
    EXPECT_EQ(r.bottom - r.top, 170);
    ASSERT_TRUE(SetTopmost(h, HWND_TOPMOST));
    EXPECT_NE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ASSERT_TRUE(SetTopmost(h, HWND_NOTOPMOST));
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// Answers the colour dialog as soon as it is activated, after typing a red
// value into its red field (control 706).
WPARAM DialogAnswer = IDOK;
const char* DialogRed = nullptr;
HHOOK DialogHook = nullptr;
LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        if (ClassNameOf(dialog) == "#32770") {
            if (DialogRed != nullptr) SetDlgItemTextA(dialog, 706, DialogRed);
            PostMessageA(dialog, WM_COMMAND, DialogAnswer, 0);
        }
    }
    return CallNextHookEx(DialogHook, code, wParam, lParam);
}

class PickColorTest : public UtilFuncTest {
protected:
    void SetUp() override {
        UtilFuncTest::SetUp();
        Owner = Keep(NewMain("WinTestPick"));
        DialogHook = SetWindowsHookExA(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
        ASSERT_NE(DialogHook, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(DialogHook);
        UtilFuncTest::TearDown();
    }
    TTestMain* Owner{};
    COLORREF Custom[16]{};
};

// The dialog starts from the given colour; OK brings back what it shows.
TEST_F(PickColorTest, OkGivesTheDialogsColour) {
    DialogAnswer = IDOK;
    DialogRed = "99";
    COLORREF colour = RGB(12, 34, 56);
    EXPECT_TRUE(PickColor(Owner->Handle, colour, Custom));
    EXPECT_EQ(colour, RGB(99, 34, 56));
}

TEST_F(PickColorTest, CancelLeavesTheColourAlone) {
    DialogAnswer = IDCANCEL;
    DialogRed = "99";
    COLORREF colour = RGB(12, 34, 56);
    EXPECT_FALSE(PickColor(Owner->Handle, colour, Custom));
    EXPECT_EQ(colour, RGB(12, 34, 56));
}

// ---- The start-up show command ----

constexpr const char* HiddenStartProbe = "--probe-hidden-start";

// Run in a copy of this program started with SW_HIDE: the main window takes
// the start-up show command, its panel stays shown. Exit code 0 when so.
int ProbeHiddenStart() {
    TTestMain* window = new TTestMain(nullptr, "WinTestHiddenStart");
    window->CreateWnd();
    TAPIPanel* panel = NewPanel(window->Handle, 0, 0, 50, 50);
    const bool mainHidden = (GetWindowLongPtrA(window->Handle, GWL_STYLE) & WS_VISIBLE) == 0;
    const bool panelShown = (GetWindowLongPtrA(panel->Handle, GWL_STYLE) & WS_VISIBLE) != 0;
    DestroyWindow(window->Handle);
    return mainHidden && panelShown ? 0 : 1;
}

TEST(StartupShowTest, ProgramStartedHiddenHidesItsMainWindowButNotItsPanels) {
    std::string command = "\"" + ModulePath() + "\" " + HiddenStartProbe;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == HiddenStartProbe) return ProbeHiddenStart();
    ::testing::InitGoogleTest(&argc, argv);
    THighHeap::InstallFaultReporter();
    return RUN_ALL_TESTS();
}
