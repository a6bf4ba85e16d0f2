// frame-bench: starts the program's main window as the program does, then for
// each view tab moves the first horizontal view bar one position per frame,
// as a drag does. The bar's change handler is UpdateView, so every frame takes
// the program's own path: read the controls, render, write the status,
// invalidate. Reported per tab, in milliseconds per frame:
//   render          RenderView alone for the same positions: the renderer's
//                   share, without any window traffic
//   bar alone       the bar moves with its change handler taken off: the
//                   scroll bar's own cost, nothing rendered
//   UpdateView      the bar moves (the scroll bar, UpdateView with its status
//                   text and invalidation; the paint is left pending)
//   +present        each move followed by the view page's paint, which copies
//                   the frame to the window with StretchDIBits
// Usage: frame-bench [frames per measurement, default 200]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AppState.h"
#include "View.h"

namespace {

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Seconds() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double RenderFrames(int frames) {
    TViewState state = ReadViewState();
    const double start = Seconds();
    for (int i = 0; i < frames; ++i) {
        state.H1 = (state.H1 + 1) % (ViewHScrollMax + 1);
        RenderView(*App.Scene, state);
    }
    return (Seconds() - start) * 1000.0 / frames;
}

// Milliseconds per frame over `frames` moves of the first bar.
double TimeFrames(int frames, bool present) {
    const double start = Seconds();
    for (int i = 0; i < frames; ++i) {
        App.ViewScrollH1->SetPosition((App.ViewScrollH1->Position() + 1) % (ViewHScrollMax + 1));
        if (present) {
            UpdateWindow(App.ViewPage->Handle);
            GdiFlush();
        }
    }
    const double elapsed = Seconds() - start;
    PumpMessages();
    return elapsed * 1000.0 / frames;
}

double MoveBarAlone(int frames) {
    const TEventProc saved = App.ViewScrollH1->OnScroll;
    App.ViewScrollH1->OnScroll = nullptr;
    const double start = Seconds();
    for (int i = 0; i < frames; ++i)
        App.ViewScrollH1->SetPosition((App.ViewScrollH1->Position() + 1) % (ViewHScrollMax + 1));
    const double elapsed = Seconds() - start;
    App.ViewScrollH1->OnScroll = saved;
    PumpMessages();
    return elapsed * 1000.0 / frames;
}

bool StartWindow() {
    App.MainWindow = new TSDIMainWindow(nullptr, "frame-bench");  // dies with its window
    App.MainWindow->OnRegisterClass = MainRegisterClass;
    App.MainWindow->OnCreateParams = MainCreateParams;
    App.MainWindow->OnCreate = OnCreateMain;
    App.MainWindow->OnDestroy = OnDestroyMain;
    App.MainWindow->CreateWnd();
    if (App.MainWindow->Handle == nullptr || !IsWindow(App.MainWindow->Handle) || App.StartupFailed) return false;
    LayoutMainWindow();
    PumpMessages();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    if (!StartWindow()) {
        std::fprintf(stderr, "frame-bench: the main window could not be started\n");
        return 1;
    }
    struct TCase {
        const char* Name;
        int32_t Tab;
        int32_t TypeCSections;  // 0: as at start-up
    };
    const TCase cases[] = {{"TypeA", 0, 0}, {"TypeB", 1, 0}, {"TypeC, 2 sections", 2, 0},
                           {"TypeC, 32 sections", 2, 32}, {"TypeD, 10 pages", 3, 0}};
    std::printf("%-20s %8s %10s %11s %9s   (ms per frame, %d frames each)\n", "view", "render", "bar alone",
                "UpdateView", "+present", frames);
    for (const TCase& c : cases) {
        App.PageTab->SetSelectedIndex(c.Tab);
        if (c.TypeCSections > 0) App.TypeCSectionScroll->SetPosition(c.TypeCSections);
        PumpMessages();
        TimeFrames(frames / 10 + 1, true);  // warm-up
        const double render = RenderFrames(frames);
        const double bar = MoveBarAlone(frames);
        const double update = TimeFrames(frames, false);
        const double presented = TimeFrames(frames, true);
        std::printf("%-20s %8.3f %10.3f %11.3f %9.3f\n", c.Name, render, bar, update, presented);
    }
    DestroyWindow(App.MainWindow->Handle);
    PumpMessages();
    FreeGlobalDispatcher();
    return 0;
}
