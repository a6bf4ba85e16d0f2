#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "ColorMath.h"
#include "Scene.h"
#include "Textures.h"

namespace {

class Textures : public ::testing::Test {
protected:
    uint32_t* Buffer(int32_t size) {
        Pixels.assign(static_cast<size_t>(size) * static_cast<size_t>(size), 0xDEADBEEF);
        return Pixels.data();
    }
    uint32_t At(int32_t size, int32_t row, int32_t column) const { return Pixels[row * size + column]; }
    void ExpectScratchEmpty() const {
        EXPECT_EQ(Scene.ScratchListA.Count(), 0);
        EXPECT_EQ(Scene.ScratchListB.Count(), 0);
    }

    TScene Scene;
    std::vector<uint32_t> Pixels;
};

TEST_F(Textures, HueCircleHasCentreRimAndTopAsPinned) {
    uint32_t* p = Buffer(256);
    BuildHueCircle(Scene, p, 256, 255, 0xC0C0C0);
    EXPECT_EQ(At(256, 127, 128), 0xFFFFFFu);  // centre: saturation 0
    EXPECT_EQ(At(256, 127, 255), 0xFF0202u);  // right rim: hue 360, saturation 253
    EXPECT_EQ(At(256, 0, 128), 0x8102FFu);    // top: hue 270
    EXPECT_EQ(At(256, 254, 128), HsvToPixel(90, 253, 255));  // bottom
    EXPECT_EQ(At(256, 127, 1), HsvToPixel(180, 253, 255));   // left
    EXPECT_TRUE(Scene.SceneReady);
}

TEST_F(Textures, HueCircleBackgroundIsFlaggedOutsideTheCircleInTheLastRowAndFirstColumn) {
    uint32_t* p = Buffer(256);
    BuildHueCircle(Scene, p, 256, 255, 0x0000FF);  // COLORREF red
    const uint32_t background = 0x01FF0000;
    EXPECT_EQ(At(256, 0, 0), background);
    EXPECT_EQ(At(256, 0, 255), background);
    EXPECT_EQ(At(256, 127, 0), background);    // first column, inside the radius
    EXPECT_EQ(At(256, 255, 128), background);  // last row
    int32_t painted = 0;
    for (int32_t j = 0; j < 256; ++j) {
        for (int32_t i = 0; i < 256; ++i) {
            const int32_t dx = i - 128, dy = 255 - j - 128;
            const bool inside = j < 255 && i > 0 && dx * dx + dy * dy <= 128 * 128;
            const uint32_t texel = At(256, j, i);
            ASSERT_EQ(texel == background, !inside) << j << "," << i;
            if (inside) {
                EXPECT_EQ(texel >> 24, 0u);
            }
            painted += inside;
        }
    }
    EXPECT_GT(painted, 50000);
}

TEST_F(Textures, HueCircleOfValueZeroIsBlackButPainted) {
    uint32_t* p = Buffer(256);
    BuildHueCircle(Scene, p, 256, 0, 0xC0C0C0);
    for (int32_t j = 0; j < 255; ++j) {
        for (int32_t i = 1; i < 256; ++i) {
            const int32_t dx = i - 128, dy = 255 - j - 128;
            if (dx * dx + dy * dy <= 128 * 128) {
                ASSERT_EQ(At(256, j, i), 0u) << j << "," << i;
            }
        }
    }
}

// The circle is rebuilt from per-level tables; every painted texel must be
// the integer HSV conversion of its hue and saturation at every level.
TEST_F(Textures, HueCircleTexelsAreTheHsvConversionAtEveryValueLevel) {
    struct TTexel {
        int32_t Index, Hue, Saturation;
    };
    std::vector<TTexel> inside;
    for (int32_t j = 0; j < 255; ++j) {
        for (int32_t i = 1; i < 256; ++i) {
            const int32_t dx = i - 128, dy = 255 - j - 128;
            if (dx * dx + dy * dy > 128 * 128) continue;
            const auto saturation = static_cast<int32_t>(std::nearbyint(std::sqrt(dx * dx + dy * dy) * 255.0 / 128));
            auto hue = static_cast<int32_t>(nearbyintl((ArcTan2(dx, dy) / std::numbers::pi_v<long double> + 1) * 180)) + 90;
            inside.push_back({j * 256 + i, hue > 360 ? hue - 360 : hue, saturation});
        }
    }
    uint32_t* p = Buffer(256);
    for (int32_t value = 0; value <= 255; value += value < 250 ? 7 : 1) {
        BuildHueCircle(Scene, p, 256, value, 0xC0C0C0);
        for (const TTexel& t : inside)
            ASSERT_EQ(p[t.Index], HsvToPixel(t.Hue, t.Saturation, value)) << "value " << value << " at " << t.Index;
    }
}

TEST_F(Textures, HuePlaneRunsFromWhiteToTheHueAndFadesToBlack) {
    uint32_t* p = Buffer(128);
    BuildHuePlane(Scene, p, 128, 0);
    EXPECT_EQ(At(128, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(At(128, 0, 127), 0xFF0000u);
    for (int32_t j = 0; j < 128; ++j) EXPECT_EQ(At(128, 127, j), 0u) << j;
    // Column 127 fades the red channel alone: 255 * (1 - 64/127) at row 64.
    EXPECT_EQ(At(128, 64, 127), 0x7E0000u);
    ExpectScratchEmpty();
    BuildHuePlane(Scene, p, 128, 120);
    EXPECT_EQ(At(128, 0, 127), 0x00FF00u);
    BuildHuePlane(Scene, p, 128, -360);  // wraps to red
    EXPECT_EQ(At(128, 0, 127), 0xFF0000u);
}

TEST_F(Textures, CubeFacesTakeTheirCornerColoursAndRepeatTheLastRow) {
    for (int32_t face = 0; face < 6; ++face) {
        uint32_t* p = Buffer(128);
        BuildCubeFace(Scene, p, 128, face);
        const auto& c = CubeCornerColors[face];
        const auto pixel = [](uint32_t colorref) { return BytesToPixel(ColorToBytes(colorref)); };
        EXPECT_EQ(At(128, 0, 0), pixel(c[0])) << face;
        EXPECT_EQ(At(128, 0, 127), pixel(c[1])) << face;
        EXPECT_EQ(At(128, 126, 0), pixel(c[2])) << face;
        EXPECT_EQ(At(128, 127, 0), pixel(c[2])) << face;
        EXPECT_EQ(At(128, 127, 127), pixel(c[3])) << face;
        for (int32_t k = 0; k < 128; ++k) ASSERT_EQ(At(128, 126, k), At(128, 127, k)) << face << "," << k;
        ExpectScratchEmpty();
    }
    uint32_t* p = Buffer(128);
    BuildCubeFace(Scene, p, 128, 0);
    EXPECT_EQ(At(128, 0, 0), 0x00FF00u);    // green
    EXPECT_EQ(At(128, 0, 127), 0xFFFF00u);  // yellow
    EXPECT_EQ(At(128, 127, 0), 0x000000u);  // black
    EXPECT_EQ(At(128, 127, 127), 0xFF0000u);  // red
}

TEST_F(Textures, FillColumnStepsEvenlyAndCopesWithShortAndLongCounts) {
    uint32_t* p = Buffer(4);
    FillColumn(p, 4, 0x000000, 0x0000FF, 1, 4);
    EXPECT_EQ((std::vector<uint32_t>{At(4, 0, 1), At(4, 1, 1), At(4, 2, 1), At(4, 3, 1)}),
              (std::vector<uint32_t>{0x00, 0x55, 0xAA, 0xFF}));
    EXPECT_EQ(At(4, 0, 0), 0xDEADBEEFu);  // other columns untouched
    FillColumn(p, 4, 0xFF123456, 0x000000, 2, 1);
    EXPECT_EQ(At(4, 0, 2), 0x123456u);  // the top colour, flag byte 0
    EXPECT_EQ(At(4, 1, 2), 0xDEADBEEFu);
    FillColumn(p, 4, 0x000000, 0xFFFFFF, 3, 1000);  // held to the texture's rows
    FillColumn(p, 4, 0x000000, 0xFFFFFF, 7, 4);     // a column outside writes nothing
    EXPECT_EQ(At(4, 1, 3), 0x555555u);
    EXPECT_EQ(At(4, 3, 3), 0xFFFFFFu);
}

}  // namespace
