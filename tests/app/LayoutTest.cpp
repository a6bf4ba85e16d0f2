#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "Layout.h"
#include "UiValues.h"

namespace {

// A typical fixed font: every character 8 x 16, so W[i] = 8 x (length + 2).
TLayoutMetrics FixedFontMetrics(int32_t sh) {
    TLayoutMetrics m;
    m.sw = 3;
    m.sh = sh;
    m.fw = 8;
    m.fh = 16;
    for (size_t i = 0; i < m.W.size(); ++i)
        m.W[i] = 8 * static_cast<int32_t>(std::strlen(UiStrings[i]) + 2);
    m.w000 = 24;
    return m;
}

class LayoutTest : public ::testing::Test {
protected:
    TLayoutMetrics m = FixedFontMetrics(13);
};

TEST_F(LayoutTest, MainWindowChildrenFollowTheGuiFontHeight) {
    EXPECT_EQ(PageTabBox(m), (TBox{2, 6, 316, 253}));
    EXPECT_EQ(ViewScrollVBox(m), (TBox{320, 21, 20, 230}));
    EXPECT_EQ(ViewRowY(m, 0), 261);
    EXPECT_EQ(ViewRowY(m, 1), 285);
    EXPECT_EQ(ViewScrollHBox(261), (TBox{4, 261, 310, 20}));
    EXPECT_EQ(ViewScrollLabelBox(m, 285), (TBox{320, 285, 20, 21}));
}

TEST_F(LayoutTest, ClientAreaIs344WideAndTwoSpacesPlus306High) {
    EXPECT_EQ(MainClientWidth(), 344);
    EXPECT_EQ(MainClientHeight(m), 2 * 13 + 306);
    EXPECT_EQ(MainClientHeight(FixedFontMetrics(16)), 338);
}

struct ConfigCase {
    const char* name;
    TBox (*box)(const TLayoutMetrics&);
    TBox expected;
};

class ConfigPageLayout : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigPageLayout, BoxForEightBySixteenFixedFont) {
    EXPECT_EQ(GetParam().box(FixedFontMetrics(13)), GetParam().expected) << GetParam().name;
}

// W[2] = 72 ("Section  "), W[4] = 64, W[5] = 56, W[6] = 48.
INSTANTIATE_TEST_SUITE_P(
    Controls, ConfigPageLayout,
    ::testing::Values(ConfigCase{"TypeCGroup", TypeCGroupBox, {2, 2, 300, 58}},
                      ConfigCase{"TypeDGroup", TypeDGroupBox, {2, 64, 300, 100}},
                      ConfigCase{"OnTopCheck", OnTopCheckBox, {226, 166, 68, 20}},
                      ConfigCase{"HelpButton", HelpButtonBox, {4, 168, 60, 16}},
                      ConfigCase{"TypeCSectionCaption", TypeCSectionCaptionBox, {12, 16, 72, 24}},
                      ConfigCase{"TypeCSectionValue", TypeCSectionValueBox, {88, 16, 24, 24}},
                      ConfigCase{"TypeCSingleCheck", TypeCSingleCheckBox, {226, 18, 72, 20}},
                      ConfigCase{"TypeCSectionScroll", TypeCSectionScrollBox, {10, 38, 280, 16}},
                      ConfigCase{"TypeDSectionCaption", TypeDSectionCaptionBox, {10, 78, 72, 24}},
                      ConfigCase{"TypeDSectionValue", TypeDSectionValueBox, {88, 78, 24, 24}},
                      ConfigCase{"TypeDSingleCheck", TypeDSingleCheckBox, {226, 80, 72, 20}},
                      ConfigCase{"TypeDSectionScroll", TypeDSectionScrollBox, {10, 38, 280, 16}},
                      ConfigCase{"TypeDLevelCaption", TypeDLevelCaptionBox, {10, 120, 72, 24}},
                      ConfigCase{"TypeDLevelValue", TypeDLevelValueBox, {88, 120, 24, 24}},
                      ConfigCase{"TypeDLevelScroll", TypeDLevelScrollBox, {10, 80, 280, 16}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(LayoutTest, CheckBoxesShareOneLeftEdgeAndValuesOneColumn) {
    m.fw = 7;
    m.W = {21, 21, 63, 49, 56, 49, 42};
    EXPECT_EQ(TypeCSingleCheckBox(m).X, TypeDSingleCheckBox(m).X);
    EXPECT_EQ(TypeCSingleCheckBox(m).X, OnTopCheckBox(m).X);
    EXPECT_EQ(TypeCSingleCheckBox(m).X, 300 - 49 - 7 - 10);
    EXPECT_EQ(TypeCSectionValueBox(m).X, TypeDLevelValueBox(m).X);
    EXPECT_EQ(TypeDSectionValueBox(m).X, 63 + 14);
    EXPECT_EQ(TypeDLevelCaptionBox(m).Width, m.W[2]);
}

TEST_F(LayoutTest, StatusPartWidthsForEightPixelFixedFont) {
    const auto widths = StatusPartWidths(m);
    EXPECT_EQ(widths, (std::array<int32_t, 7>{24, 56, 20, 24, 20, 6, 32}));
    const int32_t sum = std::accumulate(widths.begin(), widths.end(), 0);
    EXPECT_EQ(sum, 182);
    EXPECT_EQ(StatusPartZeroWidth(344, sum), 162);
}

TEST_F(LayoutTest, PagesFillTheDisplayRectangle) {
    EXPECT_EQ(PageBox({4, 24, 312, 249}), (TBox{4, 24, 308, 225}));
}

TEST_F(LayoutTest, ToolPanelCoversPartsOneToSeven) {
    // Part 1 of a bar along y 311..332 with parts 1..7 summing to 182, part 1
    // configured 24 wide but drawn 22 wide (the bar's borders).
    const TEdges part1{162, 313, 184, 332};
    EXPECT_EQ(ToolPanelBox(part1, 182, 24), (TBox{162, 314, 22 + 158, 17}));
}

TEST_F(LayoutTest, ToolControlSitsOneBelowThePanelTop) {
    // Part 2 in tool-panel coordinates: the panel starts one below the part.
    const TEdges part2{24, -1, 80, 18};
    EXPECT_EQ(ToolControlBox(part2), (TBox{24, 1, 56, 17}));
}

}  // namespace
