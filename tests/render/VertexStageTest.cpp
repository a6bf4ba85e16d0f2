// The vertex stage: exact 16.16 positions, texture coordinates and light
// intensities that TransformVertices leaves in the pool.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "RenderTestSupport.h"

using namespace rendertest;

namespace {

class VertexStage : public ::testing::Test {
protected:
    // Transforms one vertex with the given normal and material; returns its
    // pool entry.
    const TLVertex& Transform(const TVertexData& data, float specularLevel = 0.0f, int32_t power = 0,
                              float diffuseLevel = 1.0f) {
        Model.reset(new TModel{MakePrimitive({data}, {}, 0)});
        TPrimitive& p = (*Model)[0];
        p.SpecularLevel = specularLevel;
        p.SpecularPower = power;
        p.DiffuseLevel = diffuseLevel;
        Render.SetMaterial(p);
        Render.SetTexture(p.Texture);
        EXPECT_TRUE(Render.TransformVertices(p.Vertices));
        return PoolAt(Render, 0);
    }

    TRender Render;
    std::unique_ptr<TModel> Model;
};

TEST_F(VertexStage, PositionsScaleBy65535AroundTheRoundedFrameCentre) {
    Render.SetSize(300, 220);
    TMatrix m;
    m.Scale(100, 100, 100);
    Render.SetMatrix(m);
    const TLVertex& v = Transform({0.5f, 0.5f, 0.25f});
    EXPECT_EQ(v.X, 50 * 65535 + (150 << 16));  // 199.99924 pixels
    EXPECT_EQ(v.Y, -50 * 65535 + (110 << 16));
    EXPECT_EQ(v.Z, 25 * 65535);

    // The triangle through (0.5, 0.5), (-0.5, 0.5), (-0.5, 1.5) lands at about
    // (200, 60), (100, 60), (100, -40): clockwise, drawn where it is visible;
    // listed the other way round it is culled.
    Render.Lighting = false;
    Render.Clear();
    TModel forward{MakePrimitive({{0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.5f, 1.5f, 0}}, {0, 1, 2}, 0x00FF0000)};
    Render.DrawList(forward.List);
    EXPECT_EQ(PixelAt(Render, 120, 30), 0x00FF0000u);
    EXPECT_EQ(PixelAt(Render, 120, 61), 0u);
    Render.Clear();
    TModel backward{MakePrimitive({{0.5f, 0.5f, 0}, {-0.5f, 1.5f, 0}, {-0.5f, 0.5f, 0}}, {0, 1, 2}, 0x00FF0000)};
    Render.DrawList(backward.List);
    EXPECT_EQ(CountNot(Render, 0), 0);
}

TEST_F(VertexStage, ConversionsRoundHalfToEven) {
    Render.SetSize(2, 2);  // centre (1, 1)
    struct TCase {
        float X;
        int32_t Fixed;
    };
    const TCase cases[] = {
        {0.5f, 32768 + 65536},    // 32767.5 -> 32768
        {1.5f, 98302 + 65536},    // 98302.5 -> 98302
        {-0.5f, -32768 + 65536},  // -32767.5 -> -32768
        {-2.5f, -163838 + 65536},  // -163837.5 -> -163838
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Transform({c.X, -c.X, c.X}).X, c.Fixed) << c.X;
        EXPECT_EQ(Transform({c.X, -c.X, c.X}).Y, c.Fixed) << c.X;
        EXPECT_EQ(Transform({c.X, -c.X, c.X}).Z, c.Fixed - 65536) << c.X;
    }
}

TEST_F(VertexStage, HalfTheFrameSizeRoundsToEven) {
    const struct {
        int32_t Width, Height, CentreX, CentreY;
    } cases[] = {{101, 103, 50, 52}, {300, 220, 150, 110}, {1, 3, 0, 2}};
    for (const auto& c : cases) {
        Render.SetSize(c.Width, c.Height);
        const TLVertex& v = Transform({});
        EXPECT_EQ(v.X, c.CentreX << 16) << c.Width;
        EXPECT_EQ(v.Y, c.CentreY << 16) << c.Height;
    }
}

TEST_F(VertexStage, TextureCoordinatesScaleByTheTextureSize) {
    Render.SetSize(4, 4);
    Model.reset(new TModel{MakePrimitive({{0, 0, 0, 1.0f, 1.5f}, {0, 0, 0, 0.5f, -0.25f}}, {}, 0,
                                         MakeTexture(128, 64, [](int32_t, int32_t) { return 0u; }))});
    ASSERT_TRUE(Render.SetTexture((*Model)[0].Texture));
    ASSERT_TRUE(Render.TransformVertices((*Model)[0].Vertices));
    EXPECT_EQ(PoolAt(Render, 0).U, 128 * 65535);
    EXPECT_EQ(PoolAt(Render, 0).V, 96 * 65535);
    EXPECT_EQ(PoolAt(Render, 1).U, 64 * 65535);
    EXPECT_EQ(PoolAt(Render, 1).V, -16 * 65535);
    // Untextured: a one-texel texture, so u = 0.5 gives nearest(32767.5).
    Render.SetTexture(nullptr);
    EXPECT_EQ(Transform({0, 0, 0, 0.5f, 1.5f}).U, 32768);
    EXPECT_EQ(Transform({0, 0, 0, 0.5f, 1.5f}).V, 98302);
}

TEST_F(VertexStage, LightComesFromTheNormalAndTheReflectionAlongZ) {
    Render.SetSize(4, 4);
    struct TCase {
        float NX, NY, NZ, SpecularLevel;
        int32_t Power;
        int32_t Diffuse, Specular;  // integer parts
    };
    const TCase cases[] = {
        {0, 0, 1, 1.0f, 1, 255, 255},
        {0, 0, 2, 0.5f, 8, 255, 128},      // normalised; nearest(127.5) = 128
        {0, 0.6f, 0.8f, 1.0f, 2, 204, 20},  // r = 0.28: 255 x 0.0784 = 19.99
        {0, 0.6f, 0.8f, 1.0f, 3, 204, 6},   // 255 x 0.021952 = 5.598
        {0, 0.6f, 0.8f, 1.0f, 0, 204, 255},
        {0, 0, -1, 1.0f, 1, 0, 0},          // facing away: d = 0 and r = 0
        {0, 0, -1, 1.0f, 0, 0, 255},        // power 0 gives 1, also for r = 0
        {0, 0, 0, 1.0f, 0, 0, 255},         // zero length: d = 0, r = 0
        {0, 0, 0, 1.0f, 3, 0, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0, 1, 1.0f, 2, 0, 0},
    };
    for (const TCase& c : cases) {
        TVertexData data{};
        data.NX = c.NX, data.NY = c.NY, data.NZ = c.NZ;
        const TLVertex& v = Transform(data, c.SpecularLevel, c.Power, 1.0f);
        EXPECT_EQ(v.DiffuseR, c.Diffuse << 16) << c.NX << " " << c.NY << " " << c.NZ << " n " << c.Power;
        EXPECT_EQ(v.DiffuseG, v.DiffuseR);
        EXPECT_EQ(v.DiffuseB, v.DiffuseR);
        EXPECT_EQ(v.Specular, c.Specular << 16) << c.NX << " " << c.NY << " " << c.NZ << " n " << c.Power;
    }
    // The diffuse level scales the light: nearest(255 x 0.5) = 128.
    EXPECT_EQ(Transform({}, 0.0f, 0, 0.5f).DiffuseR, 128 << 16);
}

TEST_F(VertexStage, NormalsAreTranslatedLikePositions) {
    Render.SetSize(4, 4);
    TMatrix m;
    m.Translate(0, 0, 5);
    Render.SetMatrix(m);
    TVertexData data{};
    data.NZ = 0;  // (0, 0, 0) + the translation row: (0, 0, 5), fully lit
    EXPECT_EQ(Transform(data, 0.0f, 1).DiffuseR, 255 << 16);
    data.NZ = -10;  // (0, 0, -5): facing away
    EXPECT_EQ(Transform(data, 0.0f, 1).DiffuseR, 0);
}

TEST_F(VertexStage, PrimitivesAboveThePoolSizeAreRefused) {
    Render.SetSize(4, 4);
    TModel model{new TPrimitive};
    for (int i = 0; i < MaxPrimitiveVertices; ++i) model[0].Vertices.Add(new TVertex);
    EXPECT_TRUE(Render.TransformVertices(model[0].Vertices));
    model[0].Vertices.Add(new TVertex);
    EXPECT_FALSE(Render.TransformVertices(model[0].Vertices));

    TRender unsized;
    EXPECT_FALSE(unsized.TransformVertices(model[0].Vertices));
}

}  // namespace
