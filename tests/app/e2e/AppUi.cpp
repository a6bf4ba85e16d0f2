#include "AppUi.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {

int CALLBACK CopyLastFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM target) {
    *reinterpret_cast<LOGFONTA*>(target) = *lf;
    return 1;
}

// The font the program's library builds for a face and point size: the
// system font's description, the face looked up, the height for the screen.
LOGFONTA LibraryFont(const char* face, int pointSize) {
    LOGFONTA lf{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, face, CopyLastFace, reinterpret_cast<LPARAM>(&lf));
    lf.lfHeight = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = 0;
    return lf;
}

SIZE Measure(const LOGFONTA& lf, const char* text) {
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{};
    const int h = DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_EXTERNALLEADING | DT_NOCLIP);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return {r.right - r.left, h};
}

int GuiPointSize(LOGFONTA& face) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    HDC dc = GetDC(nullptr);
    const int size = std::abs(face.lfHeight) * 72 / GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return size;
}

bool IsClass(HWND w, const char* name) { return lstrcmpiA(ClassNameOf(w).c_str(), name) == 0; }

std::vector<HWND> ChildrenOfClass(HWND parent, const char* name) {
    std::vector<HWND> list;
    for (HWND c : TRemoteApp::Children(parent))
        if (IsClass(c, name)) list.push_back(c);
    return list;
}

int TopIn(HWND w, HWND parent) { return ClientRectIn(w, parent).top; }

void SortByTop(std::vector<HWND>& list, HWND parent) {
    std::sort(list.begin(), list.end(), [&](HWND a, HWND b) { return TopIn(a, parent) < TopIn(b, parent); });
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

void Pause(DWORD ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// How long a dialog may take to come or go: generous, because Wine's first
// common dialog loads its library, and a CI machine running other suites
// side by side can be slow by seconds. Waiting ends as soon as it is done.
constexpr int DialogPolls = 1200;
constexpr DWORD DialogPollMs = 25;

HWND WaitForDialog(const TRemoteApp& app) {
    for (int i = 0; i < DialogPolls; ++i) {
        if (HWND d = app.FindOwnedWindow("#32770")) return d;
        Pause(DialogPollMs);
    }
    return nullptr;
}

bool WaitForDialogGone(HWND dialog) {
    for (int i = 0; i < DialogPolls && IsWindow(dialog); ++i) Pause(DialogPollMs);
    return !IsWindow(dialog);
}

// The colour dialog's edit fields of the red, green and blue parts.
constexpr int RedEdit = 706, GreenEdit = 707, BlueEdit = 708;

}  // namespace

TDriverMetrics MeasureLayoutMetrics() {
    TDriverMetrics m;
    LOGFONTA gui{};
    const int guiSize = GuiPointSize(gui);
    m.sh = Measure(LibraryFont(gui.lfFaceName, guiSize), " ").cy;
    const LOGFONTA fixed = LibraryFont("FixedSys", 14);
    const SIZE space = Measure(fixed, " ");
    m.fw = space.cx;
    m.fh = space.cy;
    const char* captions[] = {"+", "O", "Section", "Level", "Single", "OnTop", "Help"};
    for (size_t i = 0; i < m.W.size(); ++i) m.W[i] = Measure(fixed, (std::string(captions[i]) + "  ").c_str()).cx;
    return m;
}

TAppUi::TAppUi(const TRemoteApp& app) : App(app), Main(app.Main()) {
    Tab = TRemoteApp::ChildOfClass(Main, "SysTabControl32");
    Status = TRemoteApp::ChildOfClass(Main, "msctls_statusbar32");
    ToolPanel = TRemoteApp::ChildOfClass(Main, "APIPanel");
    if (ToolPanel) ToolCheck = ChildrenOfClass(ToolPanel, "Button").empty() ? nullptr : ChildrenOfClass(ToolPanel, "Button")[0];
    for (HWND bar : ChildrenOfClass(Main, "ScrollBar")) {
        if (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) ScrollV = bar;
        else if (!ScrollH1) ScrollH1 = bar;
        else ScrollH2 = bar;
    }
    if (ScrollH1 && ScrollH2 && TopIn(ScrollH2, Main) < TopIn(ScrollH1, Main)) std::swap(ScrollH1, ScrollH2);
    if (Tab) {
        // The two pages are panels; the Config page is the one with controls.
        for (HWND page : ChildrenOfClass(Tab, "APIPanel"))
            (TRemoteApp::Children(page).empty() ? ViewPage : ConfigPage) = page;
        Memo = TRemoteApp::ChildOfClass(Tab, "Edit");
    }
    if (!ConfigPage) return;
    std::vector<HWND> checks, groups;
    for (HWND b : ChildrenOfClass(ConfigPage, "Button"))
        ((GetWindowLongA(b, GWL_STYLE) & 0xF) == BS_GROUPBOX ? groups : checks).push_back(b);
    SortByTop(checks, ConfigPage);
    SortByTop(groups, ConfigPage);
    if (checks.size() == 3) {
        TypeCSingle = checks[0];
        TypeDSingle = checks[1];
        OnTop = checks[2];
    }
    if (groups.size() == 2) {
        TypeCGroup = groups[0];
        TypeDGroup = groups[1];
        TypeCSection = TRemoteApp::ChildOfClass(TypeCGroup, "ScrollBar");
        std::vector<HWND> d = ChildrenOfClass(TypeDGroup, "ScrollBar");
        SortByTop(d, TypeDGroup);
        if (d.size() == 2) {
            TypeDSection = d[0];
            TypeDLevel = d[1];
        }
    }
}

int TAppUi::SelectedTab() const { return static_cast<int>(SendMessageA(Tab, TCM_GETCURSEL, 0, 0)); }

RECT TAppUi::DisplayRect() const {
    RECT r{};
    GetClientRect(Tab, &r);
    App.SendWithBuffer(Tab, TCM_ADJUSTRECT, FALSE, &r, sizeof r);
    return r;
}

void TAppUi::ClickTab(int index) const {
    RECT r{};
    App.SendWithBuffer(Tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), &r, sizeof r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    SendMessageA(Tab, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageA(Tab, WM_LBUTTONUP, 0, Point(x, y));
    App.Sync();
}

void TAppUi::Scroll(HWND bar, int code, int position) const {
    const UINT msg = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(GetParent(bar), msg, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
    App.Sync();
}

void TAppUi::ThumbTo(HWND bar, int position) const {
    Scroll(bar, SB_THUMBTRACK, position);
    Scroll(bar, SB_THUMBPOSITION, position);
    Scroll(bar, SB_ENDSCROLL);
}

int TAppUi::Position(HWND bar) const { return static_cast<int>(SendMessageA(bar, SBM_GETPOS, 0, 0)); }

void TAppUi::ViewButtonDown(int x, int y, WPARAM keys) const {
    SendMessageA(ViewPage, WM_LBUTTONDOWN, MK_LBUTTON | keys, Point(x, y));
    App.Sync();
}

void TAppUi::ViewMove(int x, int y, WPARAM keys) const {
    SendMessageA(ViewPage, WM_MOUSEMOVE, MK_LBUTTON | keys, Point(x, y));
    App.Sync();
}

void TAppUi::ViewButtonUp(int x, int y) const {
    SendMessageA(ViewPage, WM_LBUTTONUP, 0, Point(x, y));
    App.Sync();
}

void TAppUi::ClickToolPanel(int x, int y, bool post) const {
    SendMessageA(ToolPanel, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    if (post) {
        PostMessageA(ToolPanel, WM_LBUTTONUP, 0, Point(x, y));
        return;
    }
    SendMessageA(ToolPanel, WM_LBUTTONUP, 0, Point(x, y));
    App.Sync();
}

POINT TAppUi::ToolPart(const TDriverMetrics& m, int part) const {
    const std::array<int, 8> w{0, 3 * m.fw, m.W[2] - 2 * m.fw, m.fw + 12, 3 * m.fw, m.fw + 12, 6, m.W[0] + 8};
    const RECT check = ClientRectIn(ToolCheck, ToolPanel);
    int left = check.left;
    for (int i = 1; i < part; ++i) left += w[static_cast<size_t>(i)];
    RECT panel{};
    GetClientRect(ToolPanel, &panel);
    return {left + w[static_cast<size_t>(part)] / 2, panel.bottom / 2};
}

void TAppUi::PressBar(HWND bar, POINT at, DWORD holdMs, const std::vector<POINT>& moves) const {
    // Posted: the bar's tracking loop reads them from the program's queue.
    PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, Point(at.x, at.y));
    const DWORD step = holdMs / static_cast<DWORD>(moves.size() + 1);
    POINT last = at;
    for (const POINT p : moves) {
        Pause(step);
        PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, Point(p.x, p.y));
        last = p;
    }
    Pause(step);
    PostMessageA(bar, WM_LBUTTONUP, 0, Point(last.x, last.y));
    App.Sync();
}

TDialogOutcome TAppUi::ChooseColour(const TDriverMetrics& metrics, bool confirm, int red, int green, int blue) const {
    const POINT swatch = ToolPart(metrics, 7);
    ClickToolPanel(swatch.x, swatch.y, true);
    const HWND dialog = WaitForDialog(App);
    if (!dialog) return TDialogOutcome::NeverOpened;
    SetDlgItemTextA(dialog, RedEdit, std::to_string(red).c_str());
    SetDlgItemTextA(dialog, GreenEdit, std::to_string(green).c_str());
    SetDlgItemTextA(dialog, BlueEdit, std::to_string(blue).c_str());
    const int button = confirm ? IDOK : IDCANCEL;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    const bool closed = WaitForDialogGone(dialog);
    App.Sync();
    return closed ? TDialogOutcome::Closed : TDialogOutcome::NeverClosed;
}

void TAppUi::ClickHelp(const TDriverMetrics& m) const {
    const int x = 4 + (m.W[6] + m.fw + 4) / 2, y = 10 * m.fh + 8 + m.fh / 2;
    SendMessageA(ConfigPage, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageA(ConfigPage, WM_LBUTTONUP, 0, Point(x, y));
    App.Sync();
}

void TAppUi::ClickCheck(HWND check) const {
    SendMessageA(check, BM_CLICK, 0, 0);
    App.Sync();
}

bool TAppUi::Checked(HWND check) const { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

POINT TAppUi::FrameOrigin() const {
    POINT p{4, 4};
    ClientToScreen(ViewPage, &p);
    return p;
}

void TAppUi::KeepInView() const {
    RECT r{};
    GetWindowRect(Main, &r);
    const int x = GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left) - 4;
    const int y = GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top) - 4;
    SetWindowPos(Main, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    App.Sync();
}

TFrameDiff TAppUi::WaitForFrame(const std::vector<uint32_t>& want) const {
    // A right frame ends the wait at once; only a wrong one waits it out.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        UpdateWindow(ViewPage);
        const TFrameDiff diff = CompareFrames(CaptureScreen(FrameOrigin(), FrameW, FrameH), want);
        if (diff.Count == 0 || std::chrono::steady_clock::now() > deadline) return diff;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
