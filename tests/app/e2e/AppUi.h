#pragma once
// The windows of the running program and the inputs a person gives them,
// found the way a user's tools would: by class, stacking order and caption.
#include <windows.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "Frames.h"
#include "RemoteApp.h"

// Font metrics of the program's layout, measured here with the same fonts:
// the GUI font's " " (sh) and the fixed font's " " (fw, fh) and captions.
struct TDriverMetrics {
    int sh = 0, fw = 0, fh = 0;
    std::array<int, 7> W{};  // "+", "O", "Section", "Level", "Single", "OnTop", "Help" + two spaces
};
TDriverMetrics MeasureLayoutMetrics();

// What became of a dialog the driver opened and closed.
enum class TDialogOutcome { Closed, NeverOpened, NeverClosed };

inline void PrintTo(TDialogOutcome outcome, std::ostream* out) {
    constexpr const char* names[] = {"closed", "never opened", "never closed"};
    *out << names[static_cast<int>(outcome)];
}

struct TAppUi {
    explicit TAppUi(const TRemoteApp& app);

    const TRemoteApp& App;
    HWND Main{}, Tab{}, ViewPage{}, ConfigPage{}, Memo{}, Status{}, ToolPanel{}, ToolCheck{};
    HWND ScrollV{}, ScrollH1{}, ScrollH2{};
    HWND TypeCSingle{}, TypeDSingle{}, OnTop{}, TypeCGroup{}, TypeDGroup{};
    HWND TypeCSection{}, TypeDSection{}, TypeDLevel{};

    int SelectedTab() const;
    RECT DisplayRect() const;          // TCM_ADJUSTRECT of the tab's client area
    void ClickTab(int index) const;    // a left click on the tab's caption
    // A scroll request as the bar sends it to its parent.
    void Scroll(HWND bar, int code, int position = 0) const;
    void ThumbTo(HWND bar, int position) const;  // track, position, end
    int Position(HWND bar) const;
    // Mouse in the view page's client coordinates, keys as MK_* flags.
    void ViewButtonDown(int x, int y, WPARAM keys = 0) const;
    void ViewMove(int x, int y, WPARAM keys) const;
    void ViewButtonUp(int x, int y) const;
    // A click on the owner-drawn button whose centre is at (x, y) of the tool
    // panel; posted, so a modal dialog it opens does not hold the driver.
    void ClickToolPanel(int x, int y, bool post = false) const;
    // Centre of the tool control over status part `part` (1..7) in tool
    // panel coordinates: part 1 is where the tool check box sits.
    POINT ToolPart(const TDriverMetrics& metrics, int part) const;
    // The mouse on a scroll bar (client coordinates): pressed at `at`, moved
    // through `moves` while held for holdMs in all, released at the last
    // point. The bar tracks the mouse itself, repeating while it is held.
    void PressBar(HWND bar, POINT at, DWORD holdMs, const std::vector<POINT>& moves = {}) const;
    // A click on the colour swatch, then the dialog it opens: the colour red,
    // green, blue typed in, then confirmed or cancelled.
    TDialogOutcome ChooseColour(const TDriverMetrics& metrics, bool confirm, int red, int green, int blue) const;
    // A click on the Help button of the Config page (the Config tab shown).
    void ClickHelp(const TDriverMetrics& metrics) const;
    void ClickCheck(HWND check) const;
    bool Checked(HWND check) const;
    std::wstring StatusText() const { return WindowTextW(Status); }
    POINT FrameOrigin() const;  // screen position of the frame's top-left pixel
    // Other test programs share the display and frames are read back from
    // the screen: the window moves to the bottom right corner and stays on top.
    void KeepInView() const;
    // The frame on screen compared with want. The program paints on its own
    // schedule, so the frame is read again for a while until it matches.
    TFrameDiff WaitForFrame(const std::vector<uint32_t>& want) const;
};
