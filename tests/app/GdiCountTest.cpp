// The program's own GDI objects, counted where they are made: the main window
// is built in this process as the program builds it, then painted, recoloured
// and led through its tabs many times. Whatever a step makes it must delete,
// so the count comes back to where start-up left it, and closing the window
// deletes the rest.
#include <gtest/gtest.h>

#include <vector>

#include "AppState.h"
#include "UtilFunc.h"

namespace {

constexpr int PaintCount = 10000;
constexpr int ColourChangeCount = 1000;
constexpr int TabRoundTripCount = 100;

// Under Wine GetGuiResources answers 0; on Windows it counts every GDI object
// of the process, the system's own included. Objects the system makes once on
// first use (caches of fonts and brushes) may stay: a leak per step would
// show as thousands.
constexpr DWORD SystemSlack = 16;

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

DWORD ProcessGdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

void Redraw(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void SelectTab(int index) { App.PageTab->SetSelectedIndex(index); }

// The owner-drawn controls: the tool strip's buttons and every label.
std::vector<TGDIObject*> OwnerDrawn() {
    std::vector<TGDIObject*> list(App.ToolButtons.begin(), App.ToolButtons.end());
    for (TAPILabel* label : App.LabelGroup()) list.push_back(label);
    return list;
}

// On TypeD, where the tool strip's buttons show: the view and the owner-drawn
// controls in turn.
void PaintMany(int count) {
    SelectTab(3);
    const std::vector<TGDIObject*> controls = OwnerDrawn();
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            Redraw(App.ViewPage->Handle);
        else
            controls[static_cast<size_t>(i / 2) % controls.size()]->Repaint();
    }
}

// On the Config page, whose labels show: half of them as the colour dialog's
// choice sets the background, half as a change of the system colours reaches
// the window.
void ChangeColours(int count) {
    SelectTab(4);
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            SetBackgroundColor(RGB(i % 256, (i * 7) % 256, (i * 13) % 256));
        else
            SendMessageA(App.MainWindow->Handle, WM_SYSCOLORCHANGE, 0, 0);
    }
}

// From the Config page to another tab and back, each tab in turn.
void GoRoundTheTabs(int count) {
    constexpr int others[] = {0, 1, 2, 3, 5};
    for (int i = 0; i < count; ++i) {
        SelectTab(others[i % 5]);
        SelectTab(4);
    }
}

class GdiCount : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Started = StartMainWindow(); }
    void SetUp() override { ASSERT_TRUE(Started) << "the main window was not built"; }

    static inline bool Started = false;
};

TEST_F(GdiCount, PaintsColourChangesAndTabRoundTripsDeleteWhatTheyMake) {
    // One round of each first, so that objects the system makes once are
    // there before the baseline.
    PaintMany(20);
    ChangeColours(2);
    GoRoundTheTabs(5);
    const int32_t atStart = LiveGdiObjects();
    const DWORD processAtStart = ProcessGdiObjects();
    EXPECT_GT(atStart, 0) << "the two fonts of the application are live";

    PaintMany(PaintCount);
    EXPECT_EQ(LiveGdiObjects(), atStart) << "after " << PaintCount << " paints";
    ChangeColours(ColourChangeCount);
    EXPECT_EQ(LiveGdiObjects(), atStart) << "after " << ColourChangeCount << " colour changes";
    GoRoundTheTabs(TabRoundTripCount);
    EXPECT_EQ(LiveGdiObjects(), atStart) << "after " << TabRoundTripCount << " tab round trips";

    if (UnderWine()) return;
    EXPECT_LE(ProcessGdiObjects(), processAtStart + SystemSlack);
}

TEST_F(GdiCount, ClosingTheWindowDeletesEveryObject) {
    DestroyWindow(App.MainWindow->Handle);
    EXPECT_EQ(LiveGdiObjects(), 0);
}

}  // namespace
