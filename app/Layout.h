#pragma once
// The geometry of every control, computed from the font metrics measured at
// start-up and the frame size. Portable: rectangles are plain records, so the
// formulas are tested without a window system.
#include <array>
#include <cstdint>

// (x, y, width, height) in the client coordinates of the parent.
struct TBox {
    int32_t X{}, Y{}, Width{}, Height{};
    friend bool operator==(const TBox&, const TBox&) = default;
};

// (left, top, right, bottom), as Win32 returns rectangles.
struct TEdges {
    int32_t Left{}, Top{}, Right{}, Bottom{};
    friend bool operator==(const TEdges&, const TEdges&) = default;
};

// The renderer's frame size (RenderWidth x RenderHeight of the scene state),
// repeated here so the formulas stand alone.
inline constexpr int32_t FrameWidth = 300;
inline constexpr int32_t FrameHeight = 220;

// sw, sh: " " in the GUI font; fw, fh: " " in the fixed font; W[i]: the fixed
// font's width of UiStrings[i] followed by two spaces; w000: "000".
struct TLayoutMetrics {
    int32_t sw{}, sh{}, fw{}, fh{};
    std::array<int32_t, 7> W{};
    int32_t w000{};
};

inline constexpr int32_t ViewRowCount = 2;
inline constexpr int32_t StatusPartCount = 8;  // part 0 carries the text

int32_t MainClientWidth();
int32_t MainClientHeight(const TLayoutMetrics& m);

// Children of the main window.
TBox PageTabBox(const TLayoutMetrics& m);
TBox ViewScrollVBox(const TLayoutMetrics& m);
int32_t ViewRowY(const TLayoutMetrics& m, int32_t row);  // row 0 or 1
TBox ViewScrollHBox(int32_t rowY);
TBox ViewScrollLabelBox(const TLayoutMetrics& m, int32_t rowY);

// Children of the Config page; the settings scroll bars use the coordinates of
// their group box.
TBox TypeCGroupBox(const TLayoutMetrics& m);
TBox TypeCSectionCaptionBox(const TLayoutMetrics& m);
TBox TypeCSectionValueBox(const TLayoutMetrics& m);
TBox TypeCSingleCheckBox(const TLayoutMetrics& m);
TBox TypeCSectionScrollBox(const TLayoutMetrics& m);
TBox TypeDGroupBox(const TLayoutMetrics& m);
TBox TypeDSectionCaptionBox(const TLayoutMetrics& m);
TBox TypeDSectionValueBox(const TLayoutMetrics& m);
TBox TypeDSingleCheckBox(const TLayoutMetrics& m);
TBox TypeDSectionScrollBox(const TLayoutMetrics& m);
TBox TypeDLevelCaptionBox(const TLayoutMetrics& m);
TBox TypeDLevelValueBox(const TLayoutMetrics& m);
TBox TypeDLevelScrollBox(const TLayoutMetrics& m);
TBox OnTopCheckBox(const TLayoutMetrics& m);
TBox HelpButtonBox(const TLayoutMetrics& m);

// Widths of status parts 1..7 (index 0 of the result is part 1).
std::array<int32_t, StatusPartCount - 1> StatusPartWidths(const TLayoutMetrics& m);

// Part 0 takes what the other parts leave of the client width.
int32_t StatusPartZeroWidth(int32_t clientWidth, int32_t sumOfParts1To7);

// The tab pages fill the tab control's display rectangle.
TBox PageBox(const TEdges& displayRect);

// The tool panel starts over status part 1 (given in main-window coordinates)
// and reaches over parts 1..7: width of part 1's rectangle plus the configured
// widths of parts 2..7.
TBox ToolPanelBox(const TEdges& part1, int32_t sumOfParts1To7, int32_t part1Width);

// A tool control over one status part, the part given in tool-panel
// coordinates.
TBox ToolControlBox(const TEdges& part);
