#include <gtest/gtest.h>

#include <climits>
#include <numbers>
#include <vector>

#include "ColorMath.h"

namespace {

std::vector<uint32_t> Entries(const TIntegerList& list) {
    std::vector<uint32_t> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(static_cast<uint32_t>(list.Get(i)));
    return out;
}

uint32_t Grey(uint32_t v) { return v * 0x010101u; }

TEST(ColorMath, HueWrapsIntoZeroTo360KeepingThe360Itself) {
    struct Case {
        int32_t in, out;
    };
    for (const Case c : {Case{360, 360}, {-360, 0}, {-30, 330}, {720, 0}, {725, 5}, {0, 0}, {359, 359}, {-725, 355},
                         {INT_MIN, 232}, {INT_MAX, 127}}) {
        EXPECT_EQ(NormalizeHue(c.in), c.out) << c.in;
    }
    EXPECT_EQ(IntMod(-7, 3), -1);  // the sign of the dividend
    EXPECT_EQ(IntMod(-3, 3), -3);  // |a| = b stays a
    EXPECT_EQ(IntMod(3, 3), 3);
}

TEST(ColorMath, RoundByteRoundsHalvesToEvenAndClamps) {
    struct Case {
        double in;
        int out;
    };
    for (const Case c : {Case{0.5, 0}, {1.5, 2}, {2.5, 2}, {254.5, 254}, {255.4, 255}, {300.0, 255}, {-3.7, 0},
                         {-0.4, 0}, {127.49, 127}}) {
        EXPECT_EQ(RoundByte(c.in), c.out) << c.in;
    }
    EXPECT_EQ(ClampByte(-1), 0);
    EXPECT_EQ(ClampByte(256), 255);
    EXPECT_EQ(ClampByte(17), 17);
}

TEST(ColorMath, FloorIntAndArcTan2Orientation) {
    EXPECT_EQ(FloorInt(2.7L), 2);
    EXPECT_EQ(FloorInt(-0.5L), -1);
    EXPECT_EQ(FloorInt(-3.0L), -3);
    EXPECT_EQ(FloorInt(1e30L), INT_MAX);
    // y is the first argument.
    EXPECT_DOUBLE_EQ(static_cast<double>(ArcTan2(1, 0)), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(ArcTan2(0, -1)), std::numbers::pi);
}

TEST(ColorMath, HsvToPixelMatchesTheWorkedExamples) {
    struct Case {
        int32_t h, s, v;
        uint32_t pixel;
    };
    for (const Case c : {Case{0, 255, 255, 0xFF0000}, {30, 255, 255, 0xFF8000}, {200, 255, 255, 0x00AAFF},
                         {359, 255, 255, 0xFF0005}, {-30, 255, 255, 0xFF0080}, {360, 255, 255, 0xFF0000},
                         {-360, 255, 255, 0xFF0000}, {100, 128, 200, 0x86C864}, {120, 255, 255, 0x00FF00},
                         {240, 255, 255, 0x0000FF}}) {
        EXPECT_EQ(HsvToPixel(c.h, c.s, c.v), c.pixel) << c.h << "," << c.s << "," << c.v;
    }
}

TEST(ColorMath, ZeroOrNegativeSaturationGivesTheGreyAndChannelsClamp) {
    for (int32_t h : {0, 90, 359, 360, -45}) {
        EXPECT_EQ(HsvToPixel(h, 0, 77), Grey(77));
        EXPECT_EQ(HsvToPixel(h, -10, 77), Grey(77));
    }
    EXPECT_EQ(HsvToPixel(0, 0, -5), 0u);
    EXPECT_EQ(HsvToPixel(0, 0, 999), Grey(255));
    EXPECT_EQ(HsvToPixel(0, 999, 999), 0xFF0000u);
}

TEST(ColorMath, HsvToBytesWritesBlueGreenRedAndAgreesWithThePixel) {
    const TByteTriple bytes = HsvToBytes(100, 128, 200);
    EXPECT_EQ(bytes, (TByteTriple{100, 200, 134}));
    for (int32_t h = -400; h <= 400; h += 7) EXPECT_EQ(BytesToPixel(HsvToBytes(h, 201, 99)), HsvToPixel(h, 201, 99));
}

TEST(ColorMath, ColourLayoutsExchangeThroughByteTriples) {
    const TByteTriple red = ColorToBytes(0x0000FF);  // COLORREF red
    EXPECT_EQ(red, (TByteTriple{0, 0, 0xFF}));
    EXPECT_EQ(BytesToPixel(red), 0xFF0000u);  // the same red as a Pixel
    EXPECT_EQ(BytesToColor(red), 0x0000FFu);
    EXPECT_EQ(ColorToBytes(0xAB123456), (TByteTriple{0x12, 0x34, 0x56}));  // the top byte is not a channel
}

TEST(ColorMath, RampOfTenFromWhiteToBlackCarriesTheRunningSum) {
    TIntegerList out;
    AddRamp(10, out, 0xFFFFFF, 0x000000);
    std::vector<uint32_t> expected;
    for (uint32_t v : {255, 227, 198, 170, 142, 113, 85, 57, 28, 0}) expected.push_back(Grey(v));
    EXPECT_EQ(Entries(out), expected);
}

TEST(ColorMath, RampKeepsChannelsApartAndHandlesShortCounts) {
    TIntegerList out;
    AddRamp(3, out, 0x102030, 0x302010);
    EXPECT_EQ(Entries(out), (std::vector<uint32_t>{0x102030, 0x202020, 0x302010}));
    out.Clear();
    AddRamp(1, out, 0x123456, 0xFFFFFF);
    EXPECT_EQ(Entries(out), (std::vector<uint32_t>{0x123456}));
    out.Clear();
    AddRamp(0, out, 0x123456, 0xFFFFFF);
    AddRamp(-4, out, 0x123456, 0xFFFFFF);
    EXPECT_EQ(out.Count(), 0);
}

TEST(ColorMath, GradientRejectsTooFewStopsOrTooFewEntriesWithoutTouchingOut) {
    TIntegerList stops, out;
    out.Add(42);
    stops.Add(0xFFFFFF);
    EXPECT_FALSE(MakeGradient(stops, out, 10));
    stops.Add(0);
    stops.Add(0x00FF00);
    EXPECT_FALSE(MakeGradient(stops, out, 2));
    EXPECT_FALSE(MakeGradient(stops, out, 0));
    EXPECT_EQ(Entries(out), (std::vector<uint32_t>{42}));
}

TEST(ColorMath, ThreeStopGradientOfEightHasFiveEntriesToTheMiddleStopThenThree) {
    TIntegerList stops, out;
    for (uint32_t s : {0x000000u, 0x0000FFu, 0x00FFFFu}) stops.Add(static_cast<int32_t>(s));
    ASSERT_TRUE(MakeGradient(stops, out, 8));
    EXPECT_EQ(Entries(out), (std::vector<uint32_t>{0x000000, 0x000040, 0x000080, 0x0000BF, 0x0000FF, 0x0055FF,
                                                   0x00AAFF, 0x00FFFF}));
}

TEST(ColorMath, GradientsWithARemainderHaveExactlyNEntriesAndEachInnerStopOnce) {
    struct Case {
        int32_t stops, n;
    };
    for (const Case c : {Case{3, 9}, {4, 10}, {4, 11}, {4, 12}, {5, 5}, {3, 3}, {6, 128}, {7, 100}}) {
        TIntegerList stops, out;
        // Stops 40 apart on the red channel: no entry between two stops rounds
        // to either of them.
        for (int32_t i = 0; i < c.stops; ++i) stops.Add(i * 40 << 16);
        ASSERT_TRUE(MakeGradient(stops, out, c.n)) << c.stops << " stops, " << c.n;
        ASSERT_EQ(out.Count(), c.n) << c.stops << " stops, " << c.n;
        EXPECT_EQ(out.Get(0), stops.Get(0));
        EXPECT_EQ(out.Get(c.n - 1), stops.Get(c.stops - 1));
        for (int32_t i = 1; i < c.stops - 1; ++i) {
            int32_t seen = 0;
            for (int32_t j = 0; j < out.Count(); ++j) seen += out.Get(j) == stops.Get(i);
            EXPECT_EQ(seen, 1) << "stop " << i << " of " << c.stops << ", n " << c.n;
        }
        for (int32_t j = 1; j < out.Count(); ++j) EXPECT_GE(out.Get(j), out.Get(j - 1));
    }
}

}  // namespace
