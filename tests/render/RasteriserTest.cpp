// Coverage, culling, depth, texturing and lighting of the scan-line
// rasteriser, checked pixel by pixel on a 16 x 12 frame (centre (8, 6)).
#include <gtest/gtest.h>

#include "RenderTestSupport.h"

using namespace rendertest;

namespace {

constexpr uint32_t Back = 0x00101010;
constexpr uint32_t Red = 0x00FF0000;
constexpr uint32_t Green = 0x0000FF00;
constexpr uint32_t Hidden = 0x01FF00FF;  // flag byte set: not painted

using TRows = std::vector<std::string>;

class Rasteriser : public ::testing::Test {
protected:
    void SetUp() override {
        Render.SetSize(16, 12);
        Render.Lighting = false;
        Render.BackColor = Back;
        Render.Clear();
    }

    TVertexData At(float sx, float sy, float z = 0.0f, float u = 0.0f, float v = 0.0f) const {
        return AtScreen(Render, sx, sy, z, u, v);
    }
    // Two clockwise triangles covering the screen rectangle (x0, y0)-(x1, y1).
    TPrimitive* Quad(float x0, float y0, float x1, float y1, float z, uint32_t color) const {
        return MakePrimitive({At(x0, y0, z), At(x1, y0, z), At(x1, y1, z), At(x0, y1, z)}, {0, 1, 2, 0, 2, 3}, color);
    }
    TRows Pic() const { return Picture(Render, {{Red, 'R'}, {Green, 'G'}}); }
    void Draw(const TModel& model) { Render.DrawList(model.List); }

    TRender Render;
};

// Pixel centres in screen coordinates: (2, 1), (8, 1), (2, 7), clockwise.
const TRows SmallTriangle = {
    "................",
    "..RRRRRRR.......",
    "..RRRRRR........",
    "..RRRRR.........",
    "..RRRR..........",
    "..RRR...........",
    "..RR............",
    "................",
    "................",
    "................",
    "................",
    "................",
};

TEST_F(Rasteriser, SmallTriangleCoversRowsAboveItsLowestVertexWithInclusiveSpans) {
    TModel model{MakePrimitive({At(2.5f, 1.5f), At(8.5f, 1.5f), At(2.5f, 7.5f)}, {0, 1, 2}, Red)};
    Draw(model);
    EXPECT_EQ(Pic(), SmallTriangle);
}

TEST_F(Rasteriser, TrianglesSharingAnEdgeLeaveNoGapAndOverlapOnePixelPerRow) {
    const TVertexData a = At(2.5f, 1.5f), b = At(8.5f, 1.5f), c = At(2.5f, 7.5f), d = At(8.5f, 7.5f);
    {
        TModel model{MakePrimitive({a, b, c}, {0, 1, 2}, Red), MakePrimitive({b, d, c}, {0, 1, 2}, Green)};
        Draw(model);
        EXPECT_EQ(Pic(), (TRows{
                             "................",
                             "..RRRRRRR.......",
                             "..RRRRRRG.......",
                             "..RRRRRGG.......",
                             "..RRRRGGG.......",
                             "..RRRGGGG.......",
                             "..RRGGGGG.......",
                             "................",
                             "................",
                             "................",
                             "................",
                             "................",
                         }));
    }
    Render.Clear();
    // The other order: the shared diagonal now belongs to the first drawn.
    TModel model{MakePrimitive({b, d, c}, {0, 1, 2}, Green), MakePrimitive({a, b, c}, {0, 1, 2}, Red)};
    Draw(model);
    EXPECT_EQ(Pic(), (TRows{
                         "................",
                         "..RRRRRRG.......",
                         "..RRRRRGG.......",
                         "..RRRRGGG.......",
                         "..RRRGGGG.......",
                         "..RRGGGGG.......",
                         "..RGGGGGG.......",
                         "................",
                         "................",
                         "................",
                         "................",
                         "................",
                     }));
}

TEST_F(Rasteriser, AnticlockwiseTrianglesAreDroppedOnlyWhileCullingIsOn) {
    TModel model{MakePrimitive({At(2.5f, 1.5f), At(2.5f, 7.5f), At(8.5f, 1.5f)}, {0, 1, 2}, Red)};
    Draw(model);
    EXPECT_EQ(CountNot(Render, Back), 0);

    Render.CullBackFaces = false;
    Draw(model);
    EXPECT_GT(CountNot(Render, Back), 20);
    EXPECT_EQ(PixelAt(Render, 3, 3), Red);
    EXPECT_EQ(PixelAt(Render, 9, 3), Back);
}

TEST_F(Rasteriser, DegenerateTrianglesDrawNothingOrOnePixelPerRow) {
    Render.CullBackFaces = false;
    TModel flat{MakePrimitive({At(2.5f, 3.2f), At(8.5f, 3.5f), At(5.5f, 3.9f)}, {0, 1, 2}, Red)};
    Draw(flat);
    EXPECT_EQ(CountNot(Render, Back), 0);

    TModel column{MakePrimitive({At(4.5f, 1.5f), At(4.5f, 6.5f), At(4.5f, 4.5f)}, {0, 1, 2}, Red)};
    Draw(column);
    EXPECT_EQ(CountNot(Render, Back), 5);
    for (int y = 1; y <= 5; ++y) EXPECT_EQ(PixelAt(Render, 4, y), Red) << "row " << y;

    // A collinear triangle has zero area and is culled while culling is on.
    Render.Clear();
    Render.CullBackFaces = true;
    Draw(column);
    EXPECT_EQ(CountNot(Render, Back), 0);
}

TEST_F(Rasteriser, TheNearerSurfaceWinsInEitherOrderAndTheFirstDrawnWinsATie) {
    struct TCase {
        float RedZ, GreenZ;
        bool RedFirst;
        uint32_t Expected;
    };
    const TCase cases[] = {
        {2.0f, 1.0f, true, Green}, {2.0f, 1.0f, false, Green}, {1.0f, 2.0f, true, Red},
        {1.0f, 2.0f, false, Red},  {1.0f, 1.0f, true, Red},    {1.0f, 1.0f, false, Green},
    };
    for (const TCase& c : cases) {
        Render.Clear();
        TPrimitive* red = Quad(1.5f, 1.5f, 8.5f, 8.5f, c.RedZ, Red);
        TPrimitive* green = Quad(4.5f, 4.5f, 12.5f, 10.5f, c.GreenZ, Green);
        TModel model{c.RedFirst ? red : green, c.RedFirst ? green : red};
        Draw(model);
        EXPECT_EQ(PixelAt(Render, 6, 6), c.Expected) << c.RedZ << " " << c.GreenZ << " " << c.RedFirst;
        EXPECT_EQ(PixelAt(Render, 2, 2), Red);
        EXPECT_EQ(PixelAt(Render, 11, 9), Green);
        EXPECT_EQ(DepthAt(Render, 6, 6), 65535 * static_cast<int32_t>(std::min(c.RedZ, c.GreenZ)));
    }
}

TEST_F(Rasteriser, ListsDrawnWithTheirOwnMatricesShareOneDepthBuffer) {
    TModel near{Quad(1.5f, 1.5f, 8.5f, 8.5f, 0.0f, Red)};
    TModel far{Quad(1.5f, 1.5f, 8.5f, 8.5f, 0.0f, Green)};
    TMatrix m;
    m.Translate(3.0f, 0.0f, 5.0f);  // three pixels right (at 65535/65536), further away
    Render.SetMatrix(m);
    Draw(far);
    Render.SetMatrix(TMatrix{});
    Draw(near);
    EXPECT_EQ(PixelAt(Render, 5, 5), Red);     // both cover it; the nearer shows
    EXPECT_EQ(PixelAt(Render, 10, 5), Green);  // only the moved one covers it
    EXPECT_EQ(DepthAt(Render, 10, 5), 5 * 65535);
    EXPECT_EQ(PixelAt(Render, 0, 0), Back);
}

TEST_F(Rasteriser, EmptyListsAndSkippedPrimitivesLeaveTheFrameUnchanged) {
    TModel empty;
    Draw(empty);
    EXPECT_EQ(CountNot(Render, Back), 0);

    TModel skipped{Quad(1.5f, 1.5f, 8.5f, 8.5f, 0.0f, NotDrawnColor),
                   MakePrimitive({At(1.5f, 1.5f), At(8.5f, 1.5f), At(8.5f, 8.5f)}, {0, 1, 2}, NotDrawnColor,
                                 MakeTexture(2, 2, [](int32_t, int32_t) { return Red; }))};
    Draw(skipped);
    EXPECT_EQ(CountNot(Render, Back), 0);
    EXPECT_EQ(DepthAt(Render, 5, 5), TRender::EmptyDepth);
}

TEST_F(Rasteriser, OnlyCompleteIndexTriplesAreDrawn) {
    const TVertexData a = At(2.5f, 1.5f), b = At(8.5f, 1.5f), c = At(2.5f, 7.5f), d = At(8.5f, 7.5f);
    TModel two{MakePrimitive({a, b, c}, {0, 1}, Red)};
    Draw(two);
    EXPECT_EQ(CountNot(Render, Back), 0);

    // Seven indices: two triangles, the last index ignored.
    TModel seven{MakePrimitive({a, b, c, d}, {0, 1, 2, 1, 3, 2, 3}, Red)};
    Draw(seven);
    EXPECT_EQ(CountNot(Render, Back), 7 * 6);
}

TEST_F(Rasteriser, HiddenColoursWriteDepthButNoPixels) {
    TModel hider{Quad(1.5f, 1.5f, 8.5f, 8.5f, 1.0f, Hidden)};
    Draw(hider);
    EXPECT_EQ(CountNot(Render, Back), 0);
    EXPECT_EQ(DepthAt(Render, 5, 5), 65535);

    TModel behind{Quad(0.5f, 0.5f, 10.5f, 10.5f, 2.0f, Red)};
    TModel before{Quad(6.5f, 6.5f, 12.5f, 10.5f, 0.5f, Green)};
    Draw(behind);
    Draw(before);
    EXPECT_EQ(PixelAt(Render, 5, 5), Back);  // behind the hider: stays hidden
    EXPECT_EQ(PixelAt(Render, 9, 2), Red);
    EXPECT_EQ(PixelAt(Render, 7, 7), Green);  // in front of the hider
}

TEST_F(Rasteriser, TexturedPrimitivesIgnoreTheirColourAndHideFlaggedTexels) {
    // Column 0 of the 2 x 2 texture is flagged, column 1 is green.
    auto texel = [](int32_t column, int32_t) { return column == 0 ? Hidden : Green; };
    const float u0 = 0.25f, u1 = 0.75f;
    TModel model{MakePrimitive({At(1.5f, 1.5f, 1.0f, u0), At(8.5f, 1.5f, 1.0f, u0), At(8.5f, 8.5f, 1.0f, u0),
                                At(9.5f, 1.5f, 1.0f, u1), At(14.5f, 1.5f, 1.0f, u1), At(14.5f, 8.5f, 1.0f, u1)},
                               {0, 1, 2, 3, 4, 5}, Red, MakeTexture(2, 2, texel))};
    Draw(model);
    EXPECT_EQ(PixelAt(Render, 7, 3), Back);
    EXPECT_EQ(DepthAt(Render, 7, 3), 65535);
    EXPECT_EQ(PixelAt(Render, 13, 3), Green);
}

class TextureAddressing : public Rasteriser {
protected:
    // Texel (column, row) of a 128 x 128 texture holds its own coordinates.
    static uint32_t Coordinates(int32_t column, int32_t row) {
        return static_cast<uint32_t>(row << 8 | column);
    }
    uint32_t DrawnTexel(float u, float v) {
        Render.Clear();
        TModel model{MakePrimitive({At(1.5f, 1.5f, 0, u, v), At(9.5f, 1.5f, 0, u, v), At(9.5f, 9.5f, 0, u, v)},
                                   {0, 1, 2}, Red, MakeTexture(128, 128, Coordinates))};
        Draw(model);
        return PixelAt(Render, 8, 3);
    }
};

TEST_F(TextureAddressing, CoordinatesScaleBy65535AndWrap) {
    struct TCase {
        float U, V;
        uint32_t Column, Row;
    };
    const TCase cases[] = {
        {0.0f, 0.0f, 0, 0},       {1.0f, 0.0f, 127, 0}, {1.5f, 0.0f, 63, 0},    {0.0f, 1.0f, 0, 127},
        {0.0f, 1.5f, 0, 63},      {2.0f, 2.0f, 127, 127}, {-0.25f, 0.0f, 96, 0}, {0.5f, 0.25f, 63, 31},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DrawnTexel(c.U, c.V), c.Row << 8 | c.Column) << "u " << c.U << " v " << c.V;
}

TEST_F(TextureAddressing, SpansInterpolateTextureColumns) {
    // Row 1 of the small triangle runs from column 2 to 8; with u from 0 to
    // 7 texels the span steps exactly one texel per pixel.
    const float u7 = static_cast<float>(7.0 * 65536.0 / (128.0 * 65535.0));
    TModel model{MakePrimitive({At(2.5f, 1.5f), At(8.5f, 1.5f, 0, u7), At(2.5f, 7.5f)}, {0, 1, 2}, Red,
                               MakeTexture(128, 128, Coordinates))};
    Draw(model);
    for (int x = 2; x <= 8; ++x) EXPECT_EQ(PixelAt(Render, x, 1), static_cast<uint32_t>(x - 2)) << "x " << x;
}

class Lighting : public Rasteriser {
protected:
    void SetUp() override {
        Rasteriser::SetUp();
        Render.Lighting = true;
    }
    uint32_t LitPixel(uint32_t color, float specularLevel, int32_t power, float nz, bool lit = true) {
        Render.Clear();
        Render.Lighting = lit;
        TVertexData a = At(1.5f, 1.5f), b = At(9.5f, 1.5f), c = At(9.5f, 9.5f);
        a.NZ = b.NZ = c.NZ = nz;
        TModel model{MakePrimitive({a, b, c}, {0, 1, 2}, color)};
        model[0].SpecularLevel = specularLevel;
        model[0].SpecularPower = power;
        Draw(model);
        return PixelAt(Render, 8, 3);
    }
};

TEST_F(Lighting, ChannelsScaleByDiffuseAddSpecularAndClamp) {
    struct TCase {
        uint32_t Color;
        float SpecularLevel;
        int32_t Power;
        float NZ;
        uint32_t Expected;
    };
    const TCase cases[] = {
        {0x00FFFFFF, 0.0f, 1, 1.0f, 0xFFFEFEFE},   // full diffuse: 255 x 255 >> 8
        {0x00402010, 0.5f, 1, 1.0f, 0xFFBF9F8F},   // + nearest(127.5) = 128
        {0x00FFFFFF, 0.5f, 1, 1.0f, 0xFFFFFFFF},   // clamped at 255
        {0x00FFFFFF, 0.5f, 1, -1.0f, 0xFF000000},  // facing away: no light
        {0x00FFFFFF, 0.5f, 0, -1.0f, 0xFF808080},  // power 0: specular factor 1
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LitPixel(c.Color, c.SpecularLevel, c.Power, c.NZ), c.Expected) << std::hex << c.Color;
}

TEST_F(Lighting, UnlitSpansCopyTexelsUnchanged) {
    EXPECT_EQ(LitPixel(0x00402010, 0.5f, 1, 1.0f, false), 0x00402010u);
    EXPECT_EQ(LitPixel(0x00402010, 0.5f, 1, -1.0f, false), 0x00402010u);
}

TEST_F(Lighting, DiffuseLightIsInterpolatedAlongTheSpan) {
    TVertexData dark = At(2.5f, 1.5f), bright = At(8.5f, 1.5f), other = At(2.5f, 7.5f);
    dark.NZ = -1.0f;
    TModel model{MakePrimitive({dark, bright, other}, {0, 1, 2}, 0x00FFFFFF)};
    model[0].SpecularPower = 1;
    Draw(model);
    // Step nearest(255 x 65536 / 7) = 2387383; integer parts 0, 36, 72, ...
    const uint32_t expected[] = {0, 35, 71, 108, 144, 181, 217};
    for (int x = 2; x <= 8; ++x)
        EXPECT_EQ(PixelAt(Render, x, 1), 0xFF000000u | expected[x - 2] * 0x010101u) << "x " << x;
}

}  // namespace
