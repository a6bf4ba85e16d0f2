#include "Layout.h"

namespace {
constexpr int32_t RW = FrameWidth;
constexpr int32_t RH = FrameHeight;
constexpr int32_t ViewRowStartY = 248;  // below sh
constexpr int32_t ViewRowPitch = 24;

// The three check boxes share one left edge.
int32_t CheckColumnX(const TLayoutMetrics& m) { return RW - m.W[5] - m.fw - 10; }
// The value labels line up right of the widest caption, "Section".
int32_t ValueColumnX(const TLayoutMetrics& m) { return m.W[2] + 2 * m.fw; }
}  // namespace

int32_t MainClientWidth() { return 2 + RW + 42; }

int32_t MainClientHeight(const TLayoutMetrics& m) {
    return ViewRowY(m, ViewRowCount - 1) + 24 + m.sh + 10;
}

TBox PageTabBox(const TLayoutMetrics& m) { return {2, 6, RW + 16, m.sh + RH + 20}; }

TBox ViewScrollVBox(const TLayoutMetrics& m) { return {RW + 20, m.sh + 8, 20, RH + 10}; }

int32_t ViewRowY(const TLayoutMetrics& m, int32_t row) {
    return m.sh + ViewRowStartY + row * ViewRowPitch;
}

TBox ViewScrollHBox(int32_t rowY) { return {4, rowY, RW + 10, 20}; }

TBox ViewScrollLabelBox(const TLayoutMetrics& m, int32_t rowY) {
    return {RW + 20, rowY, 20, m.sh + 8};
}

TBox TypeCGroupBox(const TLayoutMetrics& m) { return {2, 2, RW, 4 * m.fh - 6}; }

TBox TypeCSectionCaptionBox(const TLayoutMetrics& m) { return {12, m.fh, m.W[2], m.fh + 8}; }

TBox TypeCSectionValueBox(const TLayoutMetrics& m) {
    return {ValueColumnX(m), m.fh, m.w000, m.fh + 8};
}

TBox TypeCSingleCheckBox(const TLayoutMetrics& m) {
    return {CheckColumnX(m), m.fh + 2, m.W[4] + m.fw, m.fh + 4};
}

TBox TypeCSectionScrollBox(const TLayoutMetrics& m) { return {10, 2 * m.fh + 6, RW - 20, m.fh}; }

TBox TypeDGroupBox(const TLayoutMetrics& m) { return {2, 4 * m.fh, RW, 6 * m.fh + 4}; }

TBox TypeDSectionCaptionBox(const TLayoutMetrics& m) {
    return {10, 5 * m.fh - 2, m.W[2], m.fh + 8};
}

TBox TypeDSectionValueBox(const TLayoutMetrics& m) {
    return {ValueColumnX(m), 5 * m.fh - 2, m.w000, m.fh + 8};
}

TBox TypeDSingleCheckBox(const TLayoutMetrics& m) {
    return {CheckColumnX(m), 5 * m.fh, m.W[4] + m.fw, m.fh + 4};
}

TBox TypeDSectionScrollBox(const TLayoutMetrics& m) { return {10, 2 * m.fh + 6, RW - 20, m.fh}; }

// "Level" gets the width of "Section" so both columns line up.
TBox TypeDLevelCaptionBox(const TLayoutMetrics& m) {
    return {10, 7 * m.fh + 8, m.W[2], m.fh + 8};
}

TBox TypeDLevelValueBox(const TLayoutMetrics& m) {
    return {ValueColumnX(m), 7 * m.fh + 8, m.w000, m.fh + 8};
}

TBox TypeDLevelScrollBox(const TLayoutMetrics& m) { return {10, 4 * m.fh + 16, RW - 20, m.fh}; }

TBox OnTopCheckBox(const TLayoutMetrics& m) {
    return {CheckColumnX(m), 10 * m.fh + 6, m.W[5] + m.fw + 4, m.fh + 4};
}

TBox HelpButtonBox(const TLayoutMetrics& m) { return {4, 10 * m.fh + 8, m.W[6] + m.fw + 4, m.fh}; }

std::array<int32_t, StatusPartCount - 1> StatusPartWidths(const TLayoutMetrics& m) {
    const int32_t stepButton = m.fw + 12;
    return {3 * m.fw, m.W[2] - 2 * m.fw, stepButton, 3 * m.fw, stepButton, 6, m.W[0] + 8};
}

int32_t StatusPartZeroWidth(int32_t clientWidth, int32_t sumOfParts1To7) {
    return clientWidth - sumOfParts1To7;
}

TBox PageBox(const TEdges& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

TBox ToolPanelBox(const TEdges& p, int32_t sumOfParts1To7, int32_t part1Width) {
    return {p.Left, p.Top + 1, (p.Right - p.Left) + (sumOfParts1To7 - part1Width),
            (p.Bottom - 1) - (p.Top + 1)};
}

TBox ToolControlBox(const TEdges& p) { return {p.Left, 1, p.Right - p.Left, p.Bottom - 1}; }
