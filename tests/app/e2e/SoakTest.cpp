// The real program under random but plausible use: drags in the view, the
// mouse on the scroll bars, tab clicks, the tool strip, the colour dialog and
// the Config page's settings, drawn from a fixed seed. Throughout, the
// process lives, the view shows a picture, its windows stay as many as at
// the start and its private bytes show no sustained growth. At the end the
// state is read back from the controls and written out with the frame on the
// screen; the test that follows has the native renderer draw that state and
// compares.
//
// TINTROVER_SOAK_EVENTS and TINTROVER_SOAK_SEED change the run's length and
// seed, TINTROVER_SOAK_MINUTES ends it early after so many minutes;
// TINTROVER_SOAK_OUT names the folder for the final frame and state.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "AppUi.h"
#include "Frames.h"
#include "MemoryTrend.h"

namespace {

constexpr int DefaultEvents = 1000;
constexpr unsigned DefaultSeed = 20071020;
// Events between the checks of process, windows and view, and the readings
// of private bytes.
constexpr int CheckEvery = SoakReadingEvery;
// GDI objects the system may make once on first use (Windows only; Wine
// counts none): a leak per event would show as hundreds.
constexpr DWORD GdiSlack = 16;
constexpr int ConfigTab = 4;
constexpr int TabCount = 6;

std::string Env(const char* name, const std::string& fallback = {}) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

// A person's hand: numbers drawn from the seed.
class THand {
public:
    explicit THand(unsigned seed) : Engine(seed) {}
    int Below(int n) { return static_cast<int>(Engine() % static_cast<unsigned>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    // Shift, Control, both or neither.
    WPARAM Keys() {
        static constexpr WPARAM choices[] = {0, 0, MK_SHIFT, MK_CONTROL, MK_SHIFT | MK_CONTROL};
        return choices[Below(5)];
    }

private:
    std::mt19937 Engine;
};

std::string SnapshotArguments(const TExpectedView& v) {
    char bg[16];
    std::snprintf(bg, sizeof bg, "0x%06X", static_cast<unsigned>(v.Background));
    std::ostringstream args;
    args << "--tab\n" << v.Tab << "\n--h1\n" << v.H1 << "\n--h2\n" << v.H2 << "\n--v\n" << v.V << "\n--csection\n"
         << v.CSection << "\n--dsection\n" << v.DSection << "\n--dlevel\n" << v.DLevel << "\n--bg\n" << bg << "\n";
    if (v.CSingle) args << "--csingle\n";
    if (v.DSingle) args << "--dsingle\n";
    return args.str();
}

// The frame as a binary PPM, as the snapshot tool writes one.
void WritePpm(const std::string& path, const std::vector<uint32_t>& pixels) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << FrameW << " " << FrameH << "\n255\n";
    for (uint32_t p : pixels) {
        const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
        out.write(rgb, 3);
    }
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        Metrics = MeasureLayoutMetrics();
        App = std::make_unique<TRemoteApp>(WindowsPath(Env("TINTROVER_EXE")), "tintrover");
        ASSERT_TRUE(App->Started()) << "tintrover did not start";
        Ui = std::make_unique<TAppUi>(*App);
        ASSERT_TRUE(Ui->ViewPage && Ui->ScrollV && Ui->ScrollH1 && Ui->ScrollH2 && Ui->ToolPanel &&
                    Ui->TypeCSection && Ui->TypeDSection && Ui->TypeDLevel && Ui->OnTop)
            << "a control of the main window was not found";
        Ui->KeepInView();
    }

    // ---- the events ----

    POINT InPage() {
        const RECT r = Ui->DisplayRect();
        return {Hand.Below(r.right - r.left), Hand.Below(r.bottom - r.top)};
    }

    // Pressed in the view, moved with keys changing on the way, then released
    // inside, or carried out of the window and released there (the view sees
    // no release and later moves come without the button).
    void DragInView() {
        const POINT start = InPage();
        Ui->ViewButtonDown(start.x, start.y, Hand.Keys());
        const int moves = Hand.Between(1, 4);
        POINT p = start;
        for (int i = 0; i < moves; ++i) {
            p = InPage();
            Ui->ViewMove(p.x, p.y, Hand.Keys());
        }
        if (Hand.Chance(80)) {
            Ui->ViewButtonUp(p.x, p.y);
        } else {
            // Leaves across the left or right edge; the release lands outside.
            const RECT r = Ui->DisplayRect();
            Ui->ViewMove(Hand.Chance(50) ? 0 : r.right - r.left - 1, p.y, Hand.Keys());
            Log("released outside");
        }
    }

    // The button pressed outside the window and carried in: moves with the
    // button, from the last anchor of this tab; or a hover without it.
    void EnterView() {
        const WPARAM button = Hand.Chance(50) ? MK_LBUTTON : 0;
        for (int i = Hand.Between(1, 4); i > 0; --i) {
            const POINT p = InPage();
            SendMessageA(Ui->ViewPage, WM_MOUSEMOVE, button | Hand.Keys(), MAKELPARAM(p.x, p.y));
        }
        App->Sync();
    }

    // An arrow, or a point of the track (the thumb perhaps), clicked or held
    // long enough to repeat, the mouse wandering along the bar while held.
    void PressScrollBar(HWND bar) {
        RECT r{};
        GetClientRect(bar, &r);
        const bool vertical = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
        const int length = vertical ? r.bottom : r.right, thickness = vertical ? r.right : r.bottom;
        const int arrow = std::min(thickness, length / 2);
        const auto at = [&](int along) {
            return vertical ? POINT{thickness / 2, along} : POINT{along, thickness / 2};
        };
        int along;
        switch (Hand.Below(3)) {
        case 0: along = Hand.Between(1, arrow - 2); break;                    // first arrow
        case 1: along = length - Hand.Between(2, arrow - 1); break;           // last arrow
        default: along = Hand.Between(arrow + 1, length - arrow - 2); break;  // track
        }
        std::vector<POINT> moves;
        for (int i = Hand.Below(3); i > 0; --i) moves.push_back(at(Hand.Between(arrow + 1, length - arrow - 2)));
        const DWORD hold = Hand.Chance(80) ? 0 : static_cast<DWORD>(Hand.Between(250, 450));
        Ui->PressBar(bar, at(along), hold, moves);
    }

    // Mode, minus, plus or the value display; mostly a click, sometimes
    // pressed and released off the button.
    void UseToolStrip() {
        static constexpr int parts[] = {2, 3, 3, 4, 5, 5};
        const POINT p = Ui->ToolPart(Metrics, parts[Hand.Below(6)]);
        if (Hand.Chance(85)) {
            Ui->ClickToolPanel(p.x, p.y);
            return;
        }
        SendMessageA(Ui->ToolPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(Ui->ToolPanel, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y + 40));
        App->Sync();
        Log("tool button released off it");
    }

    void ChooseBackground() {
        const bool confirm = Hand.Chance(75);
        const int red = Hand.Below(256), green = Hand.Below(256), blue = Hand.Below(256);
        ASSERT_EQ(Ui->ChooseColour(Metrics, confirm, red, green, blue), TDialogOutcome::Closed) << RecentEvents();
        Ui->KeepInView();
    }

    void UseConfigPage() {
        switch (Hand.Below(5)) {
        case 0: Ui->ClickCheck(Ui->TypeCSingle); break;
        case 1: Ui->ClickCheck(Ui->TypeDSingle); break;
        case 2:
            Ui->ClickCheck(Ui->OnTop);
            Ui->KeepInView();
            break;
        default: {
            const HWND bars[] = {Ui->TypeCSection, Ui->TypeDSection, Ui->TypeDLevel};
            PressScrollBar(bars[Hand.Below(3)]);
        }
        }
    }

    enum class TEvent { Tab, Colour, Config, Drag, EnterView, ScrollBar, ToolCheck, ToolStrip };

    // An event that makes sense for the page on show, by weight: about one in
    // eight a tab click, one in a hundred the colour dialog.
    TEvent Pick(int tab) {
        const int roll = Hand.Below(100);
        if (roll < 12 || tab > ConfigTab) return TEvent::Tab;  // About shows nothing to use
        if (roll < 13) return TEvent::Colour;
        if (tab == ConfigTab) return TEvent::Config;
        if (roll < 45) return TEvent::Drag;
        if (roll < 52) return TEvent::EnterView;
        if (roll < 80 || tab < 2) return TEvent::ScrollBar;  // no tool strip on TypeA and TypeB
        return roll < 88 ? TEvent::ToolCheck : TEvent::ToolStrip;
    }

    void OneEvent() {
        static constexpr const char* names[] = {"tab", "colour dialog", "config page", "drag",
                                                "enter view", "scroll bar", "tool check", "tool strip"};
        const TEvent event = Pick(Ui->SelectedTab());
        Log(names[static_cast<int>(event)]);
        switch (event) {
        case TEvent::Tab: Ui->ClickTab(Hand.Below(TabCount)); break;
        case TEvent::Colour: ChooseBackground(); break;
        case TEvent::Config: UseConfigPage(); break;
        case TEvent::Drag: DragInView(); break;
        case TEvent::EnterView: EnterView(); break;
        case TEvent::ScrollBar: {
            const HWND bars[] = {Ui->ScrollV, Ui->ScrollH1, Ui->ScrollH2};
            PressScrollBar(bars[Hand.Below(3)]);
            break;
        }
        case TEvent::ToolCheck: Ui->ClickCheck(Ui->ToolCheck); break;
        case TEvent::ToolStrip: UseToolStrip(); break;
        }
    }

    // ---- what must hold ----

    void CheckInvariants(int event) {
        ASSERT_TRUE(App->Running()) << "the program ended at event " << event << RecentEvents();
        ASSERT_EQ(App->WindowCount(), WindowsAtStart) << "at event " << event << RecentEvents();
        if (Ui->SelectedTab() >= ConfigTab) return;
        ASSERT_FALSE(OneColour(SettledFrame()))
            << "the view is one colour at event " << event << " in state " << StateOfControls().Key() << RecentEvents();
    }

    // The frame on the screen once it shows a picture (no state of the view
    // is one colour) and has stayed the same for three readings 50 ms apart:
    // on a busy machine the page may reach the screen late, blank at first.
    // The last reading after 30 s otherwise.
    std::vector<uint32_t> SettledFrame() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::vector<uint32_t> last;
        for (int same = 0; std::chrono::steady_clock::now() < deadline; Sleep(50)) {
            UpdateWindow(Ui->ViewPage);
            std::vector<uint32_t> now = CaptureScreen(Ui->FrameOrigin(), FrameW, FrameH);
            same = now == last && !OneColour(now) ? same + 1 : 0;
            last = std::move(now);
            if (same == 2) break;
        }
        return last;
    }
    static bool OneColour(const std::vector<uint32_t>& frame) {
        return std::all_of(frame.begin(), frame.end(), [&](uint32_t p) { return p == frame.front(); });
    }

    // The state as the controls show it.
    TExpectedView StateOfControls() const {
        TExpectedView v;
        v.Tab = Ui->SelectedTab();
        v.H1 = Ui->Position(Ui->ScrollH1);
        v.H2 = Ui->Position(Ui->ScrollH2);
        v.V = Ui->Position(Ui->ScrollV);
        v.CSection = Ui->Position(Ui->TypeCSection);
        v.CSingle = Ui->Checked(Ui->TypeCSingle);
        v.DSection = Ui->Position(Ui->TypeDSection);
        v.DLevel = Ui->Position(Ui->TypeDLevel);
        v.DSingle = Ui->Checked(Ui->TypeDSingle);
        POINT swatch = Ui->ToolPart(Metrics, 7);
        ClientToScreen(Ui->ToolPanel, &swatch);
        v.Background = CaptureScreen(swatch, 1, 1)[0];
        return v;
    }

    void Log(const char* what) {
        Recent.push_back(what);
        if (Recent.size() > 8) Recent.pop_front();
    }
    std::string RecentEvents() const {
        std::string text = "; last events:";
        for (const std::string& e : Recent) text += " " + e + ";";
        return text;
    }

    TDriverMetrics Metrics;
    std::unique_ptr<TRemoteApp> App;
    std::unique_ptr<TAppUi> Ui;
    THand Hand{static_cast<unsigned>(std::stoul(Env("TINTROVER_SOAK_SEED", std::to_string(DefaultSeed))))};
    std::deque<std::string> Recent;
    int WindowsAtStart = 0;
};

TEST_F(Soak, RandomUseLeavesTheProgramWhole) {
    const int planned = std::stoi(Env("TINTROVER_SOAK_EVENTS", std::to_string(DefaultEvents)));
    const auto minutes = std::chrono::minutes(std::stoi(Env("TINTROVER_SOAK_MINUTES", "600")));
    const auto deadline = std::chrono::steady_clock::now() + minutes;
    const std::string out = WindowsPath(Env("TINTROVER_SOAK_OUT", "."));
    for (const char* name : {"soak-view.ppm", "soak-state.txt", "soak-status.txt"})
        DeleteFileA((out + "\\" + name).c_str());

    // Each kind of event once before the baseline: the first use of a
    // control or of the dialog loads what the system keeps from then on.
    for (int tab : {2, 3, 4, 1}) {
        Ui->ClickTab(tab);
        for (int i = 0; i < 8; ++i) OneEvent();
    }
    ChooseBackground();
    if (HasFatalFailure()) return;
    WindowsAtStart = App->WindowCount();
    const DWORD gdiAtStart = App->GdiObjects();
    // Private bytes at the baseline and with every check; judged at the end
    // by their trend (see MemoryTrend.h), never by one reading.
    std::vector<uint64_t> memory{App->PrivateBytes()};
    ASSERT_GT(memory.back(), 0u) << "the program's private bytes cannot be read";

    int events = 0;
    for (int event = 1; event <= planned && std::chrono::steady_clock::now() < deadline; ++event) {
        events = event;
        OneEvent();
        if (HasFatalFailure()) return;
        if (event % CheckEvery == 0) {
            CheckInvariants(event);
            if (HasFatalFailure()) return;
            memory.push_back(App->PrivateBytes());
        }
        if (event % 1000 == 0) {
            std::printf("soak: %d events, private bytes %llu KB, %d windows\n", event,
                        static_cast<unsigned long long>(memory.back() / 1024), App->WindowCount());
            std::fflush(stdout);
        }
    }
    if (Ui->SelectedTab() >= ConfigTab) Ui->ClickTab(Hand.Below(ConfigTab));
    CheckInvariants(events);
    const TMemoryTrend trend = JudgeMemoryTrend(memory, SoakMemoryBounds);
    char memoryFigures[256];
    std::snprintf(memoryFigures, sizeof memoryFigures,
                  "private bytes %llu KB at start, %llu KB at the end, medians of the first and last quarter "
                  "%llu KB and %llu KB, slope %.0f bytes an event",
                  static_cast<unsigned long long>(memory.front() / 1024),
                  static_cast<unsigned long long>(memory.back() / 1024),
                  static_cast<unsigned long long>(trend.FirstQuarter / 1024),
                  static_cast<unsigned long long>(trend.LastQuarter / 1024), trend.Slope / CheckEvery);
    EXPECT_FALSE(trend.Grows) << "private bytes grow through the run: " << memoryFigures;
    std::printf("soak: private bytes (KB) every %d events:", CheckEvery);
    for (uint64_t m : memory) std::printf(" %llu", static_cast<unsigned long long>(m / 1024));
    std::printf("%s\n", memory.size() < MinTrendReadings ? " (too few readings to judge)" : "");
    const DWORD gdiAtEnd = App->GdiObjects();
    EXPECT_LE(gdiAtEnd, gdiAtStart + GdiSlack);

    const TExpectedView state = StateOfControls();
    WritePpm(out + "\\soak-view.ppm", SettledFrame());
    std::ofstream(out + "\\soak-state.txt", std::ios::binary) << SnapshotArguments(state);
    std::ofstream(out + "\\soak-status.txt", std::ios::binary) << Utf8(Ui->StatusText()) << "\n";
    const int windows = App->WindowCount();
    const int exitCode = App->CloseAndWait();
    EXPECT_EQ(exitCode, 0);
    std::printf("soak: %d events, seed %s; %s; "
                "%d windows at start, %d at the end; GDI objects (GetGuiResources) %lu at start, %lu at the end; "
                "exit code %d; final state %s\n",
                events, Env("TINTROVER_SOAK_SEED", std::to_string(DefaultSeed)).c_str(), memoryFigures,
                WindowsAtStart, windows, gdiAtStart, gdiAtEnd, exitCode, state.Key().c_str());
}

}  // namespace
