// The real program under Wine, used as a person would: one session from
// start-up to close, through every view tab, the Config and About pages, the
// tool strip and the colour dialog. Every frame read back from the screen
// must equal, pixel for pixel, the frame the native renderer made for the
// state the driver's own inputs imply.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <algorithm>
#include <vector>
#include <thread>

#include "AppUi.h"
#include "Frames.h"
#include "HelpViewer.h"

namespace {

std::string EnvPath(const char* name) {
    const char* v = std::getenv(name);
    return v ? WindowsPath(v) : std::string();
}

// Round(delta / extent x range), ties to even: the drag rule.
int Scaled(int delta, int extent, int range) {
    return static_cast<int>(std::nearbyint(static_cast<double>(delta) / extent * range));
}

int Wrap(int a, int m) {
    if (a >= 0 && a <= m) return a;
    int r = (a == m || a == -m) ? a : a % m;
    return a < 0 ? r + m : r;
}

// What the driver has done to the program so far, and so what it must show.
struct TSessionModel {
    int Tab = 0;
    std::array<std::array<int, 3>, 4> Pos{{{0, 0, 100}, {4, 0, 4}, {4, 0, 4}, {0, 0, 4}}};  // H1, H2, V
    int CSection = 2, DSection = 10, DLevel = 10, DMode = 0;
    bool CSingle = false, DSingle = false;
    uint32_t Background = 0;

    int& H1() { return Pos[static_cast<size_t>(Tab)][0]; }
    int& H2() { return Pos[static_cast<size_t>(Tab)][1]; }
    int& V() { return Pos[static_cast<size_t>(Tab)][2]; }
    TExpectedView View() {
        return {Tab, H1(), H2(), V(), CSection, CSingle, DSection, DLevel, DSingle, Background};
    }
};

const std::wstring StartStatus = L"\u8272\u76f8=0 / \u660e\u5ea6=255";  // 色相=0 / 明度=255

class AppSession : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Exe = EnvPath("TINTROVER_EXE");
        Frames = EnvPath("TINTROVER_FRAMES");
        Metrics = MeasureLayoutMetrics();
        App = std::make_unique<TRemoteApp>(Exe, "tintrover");
        if (!App->Started()) return;
        Ui = std::make_unique<TAppUi>(*App);
        GetWindowRect(App->Main(), &StartRect);
        Ui->KeepInView();
    }
    static void TearDownTestSuite() {
        Ui.reset();
        App.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(App && App->Started()) << "tintrover did not start: " << Exe;
        ASSERT_TRUE(Ui->ViewPage && Ui->ScrollV && Ui->ScrollH1 && Ui->ScrollH2 && Ui->ToolPanel &&
                    Ui->TypeCSection && Ui->TypeDLevel && Ui->OnTop)
            << "a control of the main window was not found";
    }

    // The frame on screen and the status line equal the reference of the
    // state the model implies.
    static void ExpectView() {
        const TExpectedView view = Model.View();
        const auto ref = LoadReference(Frames, view);
        ASSERT_TRUE(ref) << "no reference frame for state " << view.Key() << " (add it to states.txt)";
        const TFrameDiff diff = Ui->WaitForFrame(ref->Pixels);
        EXPECT_EQ(diff.Count, 0) << view.Key() << ": first difference at " << diff.First;
        EXPECT_EQ(Ui->StatusText(), ref->Status) << view.Key();
        EXPECT_EQ(Ui->Position(Ui->ScrollH1), view.H1);
        EXPECT_EQ(Ui->Position(Ui->ScrollH2), view.H2);
        EXPECT_EQ(Ui->Position(Ui->ScrollV), view.V);
    }

    static void SelectTab(int t) {
        Ui->ClickTab(t);
        Model.Tab = t;
    }

    static int PageWidth() { const RECT r = Ui->DisplayRect(); return r.right - r.left; }
    static int PageHeight() { const RECT r = Ui->DisplayRect(); return r.bottom - r.top; }

    static POINT ToolPart(int part) { return Ui->ToolPart(Metrics, part); }
    static void ClickTool(int part) {
        const POINT p = ToolPart(part);
        Ui->ClickToolPanel(p.x, p.y);
    }

    static inline std::string Exe, Frames;
    static inline TDriverMetrics Metrics;
    static inline std::unique_ptr<TRemoteApp> App;
    static inline std::unique_ptr<TAppUi> Ui;
    static inline TSessionModel Model;
    static inline RECT StartRect{};  // where the program put its window
};

RECT BoxOf(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

void ExpectRect(const RECT& got, const RECT& want, const char* what) {
    EXPECT_TRUE(EqualRect(&got, &want)) << what << ": got (" << got.left << ", " << got.top << ")-("
                                        << got.right << ", " << got.bottom << "), want (" << want.left
                                        << ", " << want.top << ")-(" << want.right << ", " << want.bottom << ")";
}

RECT WindowIn(HWND w, HWND reference) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(AppSession, StartsNamedAfterItsExecutableWithTabZeroAndTheStartFrame) {
    char text[64]{};
    GetWindowTextA(Ui->Main, text, sizeof text);
    EXPECT_STREQ(text, "tintrover");
    EXPECT_EQ(ClassNameOf(Ui->Main), "tintrover");
    const LONG style = GetWindowLongA(Ui->Main, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(Ui->SelectedTab(), 0);
    EXPECT_EQ(Ui->StatusText(), StartStatus);
    // Centred on the whole screen, rounding toward zero.
    EXPECT_EQ(StartRect.left, (GetSystemMetrics(SM_CXSCREEN) - (StartRect.right - StartRect.left)) / 2);
    EXPECT_EQ(StartRect.top, (GetSystemMetrics(SM_CYSCREEN) - (StartRect.bottom - StartRect.top)) / 2);
    ExpectView();
}

TEST_F(AppSession, ControlsSitWhereTheFontMetricsPutThem) {
    const int sh = Metrics.sh;
    RECT client{};
    GetClientRect(Ui->Main, &client);
    EXPECT_EQ(client.right, 344);
    EXPECT_EQ(client.bottom, 2 * sh + 306) << "sh = " << sh;
    ExpectRect(WindowIn(Ui->Tab, Ui->Main), BoxOf(2, 6, 316, sh + 240), "PageTab");
    ExpectRect(WindowIn(Ui->ScrollV, Ui->Main), BoxOf(320, sh + 8, 20, 230), "ViewScrollV");
    ExpectRect(WindowIn(Ui->ScrollH1, Ui->Main), BoxOf(4, sh + 248, 310, 20), "ViewScrollH1");
    ExpectRect(WindowIn(Ui->ScrollH2, Ui->Main), BoxOf(4, sh + 272, 310, 20), "ViewScrollH2");
    const RECT display = Ui->DisplayRect();
    for (HWND page : {Ui->ViewPage, Ui->ConfigPage, Ui->Memo})
        ExpectRect(WindowIn(page, Ui->Tab), display, "page");
    // The status bar lies along the bottom; the tool strip over its right part.
    const RECT bar = WindowIn(Ui->Status, Ui->Main);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, 344);
    const RECT panel = WindowIn(Ui->ToolPanel, Ui->Main);
    EXPECT_GT(panel.top, bar.top);
    EXPECT_LT(panel.bottom, bar.bottom);
    EXPECT_LE(panel.right, 344);
    const auto& W = Metrics.W;
    const int fw = Metrics.fw, fh = Metrics.fh, partsWidth = 3 * fw + (W[2] - 2 * fw) + 2 * (fw + 12) + 3 * fw + 6 + W[0] + 8;
    EXPECT_NEAR(panel.left, 344 - partsWidth, 4) << "the strip starts over part 1";
    // The Config page, from the fixed font's metrics.
    ExpectRect(WindowIn(Ui->TypeCGroup, Ui->ConfigPage), BoxOf(2, 2, 300, 4 * fh - 6), "TypeCGroup");
    ExpectRect(WindowIn(Ui->TypeDGroup, Ui->ConfigPage), BoxOf(2, 4 * fh, 300, 6 * fh + 4), "TypeDGroup");
    const int checkX = 300 - W[5] - fw - 10;
    ExpectRect(WindowIn(Ui->TypeCSingle, Ui->ConfigPage), BoxOf(checkX, fh + 2, W[4] + fw, fh + 4), "TypeCSingleCheck");
    ExpectRect(WindowIn(Ui->TypeDSingle, Ui->ConfigPage), BoxOf(checkX, 5 * fh, W[4] + fw, fh + 4), "TypeDSingleCheck");
    ExpectRect(WindowIn(Ui->OnTop, Ui->ConfigPage), BoxOf(checkX, 10 * fh + 6, W[5] + fw + 4, fh + 4), "OnTopCheck");
    ExpectRect(WindowIn(Ui->TypeCSection, Ui->TypeCGroup), BoxOf(10, 2 * fh + 6, 280, fh), "TypeCSectionScroll");
    ExpectRect(WindowIn(Ui->TypeDSection, Ui->TypeDGroup), BoxOf(10, 2 * fh + 6, 280, fh), "TypeDSectionScroll");
    ExpectRect(WindowIn(Ui->TypeDLevel, Ui->TypeDGroup), BoxOf(10, 4 * fh + 16, 280, fh), "TypeDLevelScroll");
}

TEST_F(AppSession, PagesAndToolStripStackAsTheyCoverEachOther) {
    // The tab control may hold a scroll arrow child of its own besides them.
    const auto pages = TRemoteApp::Children(Ui->Tab);
    const auto at = [](const std::vector<HWND>& list, HWND w) { return std::find(list.begin(), list.end(), w) - list.begin(); };
    EXPECT_LT(at(pages, Ui->ViewPage), at(pages, Ui->ConfigPage));
    EXPECT_LT(at(pages, Ui->ConfigPage), at(pages, Ui->Memo));
    EXPECT_LT(at(pages, Ui->Memo), static_cast<std::ptrdiff_t>(pages.size()));
    const auto top = TRemoteApp::Children(Ui->Main);
    EXPECT_LT(at(top, Ui->ToolPanel), at(top, Ui->Status));
    EXPECT_LT(at(top, Ui->Status), static_cast<std::ptrdiff_t>(top.size()));
    EXPECT_TRUE(IsWindowVisible(Ui->ViewPage));
    EXPECT_FALSE(IsWindowVisible(Ui->Memo));
    EXPECT_FALSE(IsWindowVisible(Ui->ToolCheck)) << "the tool strip is hidden on TypeA";
}

TEST_F(AppSession, TypeAFollowsItsScrollBars) {
    Ui->ThumbTo(Ui->ScrollH1, 10);
    Model.H1() = 10;
    ExpectView();
    for (int i = 0; i < 3; ++i) Ui->Scroll(Ui->ScrollH2, SB_LINEDOWN);
    Model.H2() = 3;
    Ui->Scroll(Ui->ScrollV, SB_PAGEUP);
    Model.V() = 90;
    ExpectView();
    Ui->Scroll(Ui->ScrollV, SB_LINEUP);
    Ui->Scroll(Ui->ScrollV, SB_ENDSCROLL);  // the end of a gesture draws nothing new
    Model.V() = 89;
    ExpectView();
}

TEST_F(AppSession, DraggingOnTypeATurnsWithShiftAndLiftsWithControl) {
    const int w = PageWidth(), h = PageHeight();
    Ui->ViewButtonDown(100, 100);
    const int h1 = Model.H1(), v = Model.V();
    Ui->ViewMove(100, 130, MK_CONTROL);  // only the value level moves
    Model.V() = std::min(100, std::max(0, v + Scaled(30, h, 100)));
    ExpectView();
    Ui->ViewMove(170, 130, MK_SHIFT);  // only the circle turns
    Model.H1() = Wrap(h1 + Scaled(70, w, 63), 63);
    ExpectView();
    Ui->ViewMove(40, 0, 0);  // both, and the value level stops at 0..100
    Model.H1() = Wrap(h1 + Scaled(-60, w, 63), 63);
    Model.V() = std::min(100, std::max(0, v + Scaled(-100, h, 100)));
    ExpectView();
    Ui->ViewButtonUp(40, 0);
    SendMessageA(Ui->ViewPage, WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));  // no button held: no drag
    App->Sync();
    ExpectView();
}

TEST_F(AppSession, EachViewTabKeepsItsPositions) {
    SelectTab(1);
    EXPECT_EQ(Ui->SelectedTab(), 1);
    ExpectView();  // first visit: {4, 0, 4}
    Ui->ThumbTo(Ui->ScrollH1, 10);
    Ui->ThumbTo(Ui->ScrollH2, 20);
    Ui->ThumbTo(Ui->ScrollV, 30);
    Model.H1() = 10, Model.H2() = 20, Model.V() = 30;
    ExpectView();
    SelectTab(2);
    ExpectView();  // TypeC's own first-visit positions
    SelectTab(0);
    ExpectView();  // TypeA as the drags left it
    SelectTab(1);
    ExpectView();  // {10, 20, 30} again
}

TEST_F(AppSession, DraggingOnTypeBWrapsBothWays) {
    SelectTab(1);
    const int w = PageWidth(), h = PageHeight();
    const int h1 = Model.H1(), v = Model.V();
    Ui->ViewButtonDown(250, 200);
    Ui->ViewMove(10, 10, 0);
    Model.H1() = Wrap(h1 + Scaled(-240, w, 63), 63);
    Model.V() = Wrap(v + Scaled(-190, h, 63), 63);
    ExpectView();
    Ui->ViewMove(10, 199, MK_CONTROL);
    Model.V() = Wrap(v + Scaled(-1, h, 63), 63);
    ExpectView();
}

TEST_F(AppSession, TypeCToolStripStepsSectionsAndTogglesSingle) {
    SelectTab(2);
    EXPECT_TRUE(IsWindowVisible(Ui->ToolCheck));
    ExpectView();
    ClickTool(5);  // plus
    Model.CSection = 3;
    ExpectView();
    Ui->ClickCheck(Ui->ToolCheck);
    Model.CSingle = true;
    EXPECT_TRUE(Ui->Checked(Ui->TypeCSingle)) << "the tool check mirrors TypeC's Single";
    ExpectView();
    ClickTool(3);  // minus
    ClickTool(3);
    ClickTool(3);  // clamped at 1
    Model.CSection = 1;
    ExpectView();
}

TEST_F(AppSession, TypeDModeButtonChoosesLevelOrSection) {
    SelectTab(3);
    EXPECT_FALSE(Ui->Checked(Ui->ToolCheck)) << "TypeD's own Single is off";
    ExpectView();
    ClickTool(3);  // minus on Level
    Model.DLevel = 9;
    ExpectView();
    Ui->ThumbTo(Ui->ScrollH1, 12);
    Model.H1() = 12;
    ClickTool(2);  // mode: Section; the tab is re-entered and keeps its positions
    Model.DMode = 1;
    ClickTool(3);
    ClickTool(3);
    Model.DSection = 8;
    ExpectView();
    Ui->ClickCheck(Ui->ToolCheck);
    Model.DSingle = true;
    EXPECT_TRUE(Ui->Checked(Ui->TypeDSingle));
    EXPECT_TRUE(Ui->Checked(Ui->TypeCSingle)) << "TypeC's Single is left alone";
    ExpectView();
    ClickTool(2);  // back to Level
    Model.DMode = 0;
    ClickTool(5);
    ClickTool(5);  // clamped at 10
    Model.DLevel = 10;
    ExpectView();
}

TEST_F(AppSession, ConfigSettingsTakeEffectOnReturn) {
    SelectTab(4);
    EXPECT_TRUE(IsWindowVisible(Ui->ConfigPage));
    EXPECT_FALSE(IsWindowVisible(Ui->ViewPage));
    EXPECT_FALSE(IsWindowEnabled(Ui->ScrollV));
    EXPECT_FALSE(IsWindowEnabled(Ui->ScrollH1));
    EXPECT_TRUE(Ui->StatusText().empty());
    EXPECT_FALSE(IsWindowVisible(Ui->ToolCheck));
    Ui->Scroll(Ui->TypeCSection, SB_BOTTOM);
    Model.CSection = 32;
    Ui->ClickCheck(Ui->TypeCSingle);
    Model.CSingle = false;
    Ui->Scroll(Ui->TypeDLevel, SB_TOP);
    Model.DLevel = 1;
    Ui->Scroll(Ui->TypeDSection, SB_PAGEUP);  // 10 - 10 clamps to 1
    Model.DSection = 1;
    Ui->ClickCheck(Ui->OnTop);
    EXPECT_TRUE(GetWindowLongA(Ui->Main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Ui->ClickCheck(Ui->OnTop);
    EXPECT_FALSE(GetWindowLongA(Ui->Main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Ui->KeepInView();
    SelectTab(2);
    EXPECT_TRUE(IsWindowEnabled(Ui->ScrollV));
    ExpectView();
    SelectTab(3);
    ExpectView();
}

TEST_F(AppSession, AboutPageShowsTheSevenLines) {
    SelectTab(5);
    EXPECT_TRUE(IsWindowVisible(Ui->Memo));
    EXPECT_FALSE(IsWindowVisible(Ui->ViewPage));
    const std::wstring text = WindowTextW(Ui->Memo);
    EXPECT_EQ(text.rfind(L"Tintrover for XP\r\n", 0), 0u) << "first line";
    EXPECT_EQ(text.substr(text.size() - 33), L"Compiled on 2007.10.20(Sat) 14:56");
    size_t breaks = 0;
    for (size_t p = 0; (p = text.find(L"\r\n", p)) != std::wstring::npos; p += 2) ++breaks;
    EXPECT_EQ(breaks, 6u);
    EXPECT_TRUE(Ui->StatusText().empty());
}

TEST_F(AppSession, ColourDialogSetsTheBackgroundAndCancelKeepsIt) {
    SelectTab(1);
    ASSERT_EQ(Ui->ChooseColour(Metrics, true, 32, 64, 128), TDialogOutcome::Closed);
    Model.Background = 0x204080;
    ExpectView();
    POINT onScreen = ToolPart(7);
    ClientToScreen(Ui->ToolPanel, &onScreen);
    EXPECT_EQ(CaptureScreen(onScreen, 1, 1)[0], 0x204080u) << "the swatch shows the new colour";

    ASSERT_EQ(Ui->ChooseColour(Metrics, false, 255, 64, 128), TDialogOutcome::Closed);
    ExpectView();  // still 0x204080
}

TEST_F(AppSession, DeactivationReleasesAHeldToolButton) {
    SelectTab(2);
    const POINT plus = ToolPart(5);
    SendMessageA(Ui->ToolPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(plus.x, plus.y));
    App->Sync();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(Ui->Main, nullptr);
    ASSERT_TRUE(GetGUIThreadInfo(thread, &info));
    EXPECT_EQ(info.hwndCapture, Ui->ToolPanel) << "a held button captures the mouse";
    SendMessageA(Ui->Main, WM_ACTIVATE, WA_INACTIVE, 0);
    App->Sync();
    ASSERT_TRUE(GetGUIThreadInfo(thread, &info));
    EXPECT_EQ(info.hwndCapture, nullptr) << "deactivation cancels the press";
    // Released now, the button gives no click: the section count stays.
    SendMessageA(Ui->ToolPanel, WM_LBUTTONUP, 0, MAKELPARAM(plus.x, plus.y));
    App->Sync();
    ExpectView();
}

TEST_F(AppSession, HelpButtonOpensTheHelpFileBesideTheProgram) {
    const std::string viewer = EnvPath("TINTROVER_HELP_VIEWER");
    ASSERT_FALSE(viewer.empty());
    SelectTab(4);
    const std::string opened = OpenHelpThroughViewer(*Ui, Metrics, viewer, Frames + "\\help-opened.txt");
    EXPECT_EQ(lstrcmpiA(opened.c_str(), HelpFileBeside(Exe).c_str()), 0) << "opened \"" << opened << "\"";
}

TEST_F(AppSession, ClosingTheWindowEndsWithExitCodeZero) {
    EXPECT_EQ(App->CloseAndWait(), 0);
}

}  // namespace
