#include <gtest/gtest.h>

#include "DragMath.h"

namespace {

struct WrapCase {
    int32_t a, m, expected;
};

class WrapPosTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapPosTest, WrapsIntoZeroToMaxInclusive) {
    const auto& c = GetParam();
    EXPECT_EQ(WrapPos(c.a, c.m), c.expected) << "WrapPos(" << c.a << ", " << c.m << ")";
}

INSTANTIATE_TEST_SUITE_P(Examples, WrapPosTest,
                         ::testing::Values(WrapCase{64, 63, 1}, WrapCase{63, 63, 63},
                                           WrapCase{0, 63, 0}, WrapCase{-1, 63, 62},
                                           WrapCase{-63, 63, 0}, WrapCase{-126, 63, 63},
                                           WrapCase{126, 63, 0}, WrapCase{130, 63, 4},
                                           WrapCase{-64, 63, 62}, WrapCase{150, 100, 50},
                                           WrapCase{-2147483647 - 1, 63, 61},
                                           WrapCase{5, 0, 0}, WrapCase{-5, 0, 0}));

class DragTargetTest : public ::testing::Test {
protected:
    DragAnchor anchor{100, 50, 10, 40};
    static constexpr int32_t W = 308, H = 225;
};

TEST_F(DragTargetTest, NoMoveKeepsTheAnchorPositions) {
    EXPECT_EQ(DragTarget(anchor, 1, 100, 50, W, H), (TDragTarget{10, 40}));
}

TEST_F(DragTargetTest, FullWidthTurnsH1OnceAround) {
    anchor = {0, 0, 10, 4};
    EXPECT_EQ(DragTarget(anchor, 1, W, 0, W, H)->H1, WrapPos(10 + 63, 63));
}

TEST_F(DragTargetTest, DividesBeforeScalingAndRoundsTiesToEven) {
    // 77 / 308 x 63 = 15.75 -> 16; 22 / 308 x 63 = 4.5 -> 4 (tie to even).
    anchor = {0, 0, 0, 0};
    EXPECT_EQ(DragTarget(anchor, 1, 77, 0, W, H)->H1, 16);
    EXPECT_EQ(DragTarget(anchor, 1, 22, 0, W, H)->H1, 4);
    // Left of the anchor wraps: -4.5 -> -4, 63 - 4.
    anchor = {22, 0, 0, 0};
    EXPECT_EQ(DragTarget(anchor, 1, 0, 0, W, H)->H1, 59);
}

TEST_F(DragTargetTest, VerticalClampsOnTabZeroAndWrapsElsewhere) {
    anchor = {0, 0, 0, 90};
    // 45 / 225 x 100 = 20: 110 clamps to 100 on tab 0.
    EXPECT_EQ(DragTarget(anchor, 0, 0, 45, W, H)->V, 100);
    anchor = {0, 100, 0, 5};
    EXPECT_EQ(DragTarget(anchor, 0, 0, 0, W, H)->V, 0);
    // On tab 1 the range is 63: 100 / 225 x 63 = 28 -> 5 - 28 wraps to 40.
    EXPECT_EQ(DragTarget(anchor, 1, 0, 0, W, H)->V, 40);
}

TEST_F(DragTargetTest, NothingOutsideTheViewTabsOrBeforeLayout) {
    EXPECT_FALSE(DragTarget(anchor, -1, 0, 0, W, H));
    EXPECT_FALSE(DragTarget(anchor, 4, 0, 0, W, H));
    EXPECT_FALSE(DragTarget(anchor, 1, 0, 0, 0, H));
    EXPECT_FALSE(DragTarget(anchor, 1, 0, 0, W, 0));
    EXPECT_FALSE(DragTarget(anchor, 1, 0, 0, -3, H));
}

TEST_F(DragTargetTest, CoordinatesAreUnsignedSixteenBit) {
    // A position word of 0xFFFF is 65535, not -1.
    anchor = {0, 0, 0, 0};
    // 65535 / 308 x 63 = 13404.8 -> 13405, which wraps to 49.
    EXPECT_EQ(DragTarget(anchor, 1, 0xFFFF, 0, W, H)->H1, 49);
}

TEST(DragAction, ShiftWinsOverControl) {
    EXPECT_EQ(DragActionFor(true, true), TDragAction::H1Only);
    EXPECT_EQ(DragActionFor(true, false), TDragAction::H1Only);
    EXPECT_EQ(DragActionFor(false, true), TDragAction::VOnly);
    EXPECT_EQ(DragActionFor(false, false), TDragAction::Both);
}

}  // namespace
