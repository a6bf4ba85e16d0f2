// Clipping to the frame and the refusal of geometry the fixed-point stages
// cannot represent: nothing is written outside the buffers, whatever comes in.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "RenderTestSupport.h"

using namespace rendertest;

namespace {

constexpr uint32_t Back = 0x00101010;
constexpr uint32_t Red = 0x00FF0000;
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

uint32_t Gradient(int32_t column, int32_t row) {
    return static_cast<uint32_t>((column * 8) << 16 | (row * 8) << 8 | ((column + row) * 4));
}

// A lit, textured triangle in model units, with normals and texture
// coordinates that differ at each corner.
TPrimitive* Patterned(float dx, float dy) {
    TVertexData a{-14.7f + dx, 12.9f + dy, 1.0f, 0.1f, 0.9f, 0.3f, 0.1f, 0.9f};
    TVertexData b{10.2f + dx, 7.4f + dy, 3.0f, 0.95f, 0.2f, -0.4f, 0.2f, 0.8f};
    TVertexData c{-10.3f + dx, -13.9f + dy, 2.0f, 0.4f, 0.05f, 0.0f, -0.5f, 0.7f};
    TPrimitive* p = MakePrimitive({a, b, c}, {0, 1, 2}, 0, MakeTexture(32, 32, Gradient));
    p->SpecularLevel = 0.6f;
    p->SpecularPower = 5;
    p->DiffuseLevel = 0.9f;
    return p;
}

class Clipping : public ::testing::Test {
protected:
    static void Prepare(TRender& render, int32_t width, int32_t height, bool lit) {
        render.SetSize(width, height);
        render.BackColor = Back;
        render.Lighting = lit;
        render.Clear();
    }
};

// The frame centre enters the positions as whole pixels, so a smaller frame
// shows the same triangle shifted by exact pixels, cut at every border.
TEST_F(Clipping, ClippedTrianglesKeepTheirUnclippedValues) {
    for (const bool lit : {false, true}) {
        TRender whole, cut;
        Prepare(whole, 40, 40, lit);  // centre (20, 20): all visible
        Prepare(cut, 16, 12, lit);    // centre (8, 6): cut on all four sides
        TModel model{Patterned(0, 0)};
        whole.DrawList(model.List);
        cut.DrawList(model.List);
        ASSERT_GT(CountNot(cut, Back), 100);
        ASSERT_GT(CountNot(whole, Back), CountNot(cut, Back) + 100) << "the triangle should reach beyond the cut frame";
        int32_t differing = 0;
        for (int32_t y = 0; y < 12; ++y) {
            for (int32_t x = 0; x < 16; ++x) {
                EXPECT_EQ(PixelAt(cut, x, y), PixelAt(whole, x + 12, y + 14)) << x << "," << y << " lit " << lit;
                EXPECT_EQ(DepthAt(cut, x, y), DepthAt(whole, x + 12, y + 14)) << x << "," << y;
                differing += PixelAt(cut, x, y) != PixelAt(cut, 0, 0);
            }
        }
        EXPECT_GT(differing, 100) << "the pattern should vary across the frame";
    }
}

TEST_F(Clipping, TrianglesOutsideTheFrameDrawNothing) {
    TRender render;
    Prepare(render, 16, 12, false);
    TModel model{Patterned(0, 40), Patterned(0, -40), Patterned(-40, 0), Patterned(40, 0)};
    render.DrawList(model.List);
    EXPECT_EQ(CountNot(render, Back), 0);
    EXPECT_EQ(DepthAt(render, 0, 0), TRender::EmptyDepth);
}

TEST_F(Clipping, TrianglesReachingNearTheFixedPointLimitAreDrawn) {
    TRender render;
    Prepare(render, 16, 12, false);
    TModel model{MakePrimitive({{-32000, 32000, 0}, {32000, 32000, 0}, {0, -32000, 0}}, {0, 1, 2}, Red)};
    render.DrawList(model.List);
    EXPECT_EQ(CountNot(render, Red), 0);
}

TEST_F(Clipping, TrianglesWithUnrepresentableValuesAreSkipped) {
    struct TCase {
        const char* What;
        TVertexData Corner;
        float DiffuseLevel;
    };
    const TCase cases[] = {
        {"x beyond 32767 px", {40000, 3, 0}, 1.0f},
        {"y beyond 32767 px", {-3, -40000, 0}, 1.0f},
        {"z beyond the range", {-3, 3, -1e6f}, 1.0f},
        {"NaN", {NaN, 3, 0}, 1.0f},
        {"infinity", {-3, Inf, 0}, 1.0f},
        {"texture coordinate", {-3, 3, 0, 1e5f}, 1.0f},
        {"light beyond 32767", {-3, 3, 0}, 200.0f},
    };
    for (const TCase& c : cases) {
        TRender render;
        Prepare(render, 16, 12, true);
        // The first triangle uses the corner under test, the second does not;
        // its vertices face away, so they get no light at any level.
        TModel model{MakePrimitive({c.Corner, {3, 3, 0, 0, 0, 0, 0, -1}, {3, -3, 0, 0, 0, 0, 0, -1}, {-3, -3, 0, 0, 0, 0, 0, -1}},
                                   {0, 1, 3, 1, 2, 3}, Red)};
        model[0].DiffuseLevel = c.DiffuseLevel;
        render.DrawList(model.List);
        EXPECT_EQ(PixelAt(render, 6, 4), Back) << c.What;
        EXPECT_NE(PixelAt(render, 10, 6), Back) << c.What;
    }
}

TEST_F(Clipping, NonFiniteMatricesDrawNothing) {
    TRender render;
    Prepare(render, 16, 12, true);
    TMatrix m;
    m.Scale(NaN, 1, 1);
    render.SetMatrix(m);
    TModel model{Patterned(0, 0)};
    render.DrawList(model.List);
    m.Reset();
    m.Scale(1e30f, 1e30f, 1e30f);
    render.SetMatrix(m);
    render.DrawList(model.List);
    EXPECT_EQ(CountNot(render, Back), 0);
}

TEST_F(Clipping, IndicesOutsideTheVertexListSkipOnlyTheirTriangle) {
    TRender render;
    Prepare(render, 16, 12, false);
    TModel model{MakePrimitive({{-3, 3, 0}, {3, 3, 0}, {3, -3, 0}}, {0, 1, 3, -1, 1, 2, 0, 1, 2}, Red)};
    render.DrawList(model.List);
    EXPECT_EQ(PixelAt(render, 10, 4), Red);  // the valid third triangle
    // A primitive without its index block is skipped whole.
    render.Clear();
    RenderHeap::Free(model[0].Indices);
    model[0].Indices = nullptr;
    render.DrawList(model.List);
    EXPECT_EQ(CountNot(render, Back), 0);
}

TEST_F(Clipping, PrimitivesWithTooManyVerticesOrUnusableTexturesAreSkipped) {
    TRender render;
    Prepare(render, 16, 12, false);
    TModel model;
    TPrimitive* big = MakePrimitive({{-3, 3, 0}, {3, 3, 0}, {3, -3, 0}}, {0, 1, 2}, Red);
    for (int i = 3; i <= MaxPrimitiveVertices; ++i) big->Vertices.Add(new TVertex);
    model.Add(big);
    render.DrawList(model.List);
    EXPECT_EQ(CountNot(render, Back), 0);

    const struct {
        int32_t Width, Height, Shift;
    } textures[] = {{3, 4, 1}, {4, 4, 3}, {4, 6, 2}, {0, 4, 0}};
    for (const auto& t : textures) {
        TModel textured{MakePrimitive({{-3, 3, 0}, {3, 3, 0}, {3, -3, 0}}, {0, 1, 2}, Red,
                                      MakeTexture(4, 4, [](int32_t, int32_t) { return Red; }))};
        textured[0].Texture->Width = t.Width;
        textured[0].Texture->Height = t.Height;
        textured[0].Texture->Shift = t.Shift;
        render.DrawList(textured.List);
        EXPECT_EQ(CountNot(render, Back), 0) << t.Width << "x" << t.Height << " shift " << t.Shift;
    }
}

// Random geometry far beyond the frame, degenerate and flipped: every pixel is
// either background or a colour that was drawn, and under the address
// sanitizer nothing is touched outside the buffers.
TEST_F(Clipping, RandomGeometryStaysInsideTheBuffers) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> far(-40000.0f, 40000.0f), near(-20.0f, 20.0f), any(-3.0f, 3.0f);
    TRender render;
    Prepare(render, 23, 17, true);
    render.CullBackFaces = false;
    TModel model;
    for (int i = 0; i < 300; ++i) {
        auto& pick = (i % 3 == 0) ? far : near;
        TPrimitive* p = MakePrimitive({{pick(random), pick(random), any(random), any(random), any(random), any(random)},
                                       {pick(random), pick(random), any(random), any(random), any(random)},
                                       {pick(random), pick(random), any(random), any(random), any(random)}},
                                      {0, 1, 2}, 0x00FFFFFF,
                                      i % 2 ? MakeTexture(8, 4, [](int32_t c, int32_t r) { return (c ^ r) & 1 ? 0x00FFFFFFu : 0x02000000u; })
                                            : nullptr);
        p->SpecularPower = i % 7;
        p->SpecularLevel = 0.3f;
        model.Add(p);
    }
    render.DrawList(model.List);
    int32_t drawn = 0;
    for (int32_t i = 0; i < 23 * 17; ++i) {
        const uint32_t pixel = render.ColorBuffer[i];
        drawn += pixel != Back;
        EXPECT_TRUE(pixel == Back || (pixel >> 24) == 0xFF) << std::hex << pixel;
    }
    EXPECT_GT(drawn, 0);
}

}  // namespace

namespace {

uint64_t Fingerprint(const TRender& render) { return FoldFrame(FrameHashSeed, render); }

// A turned, lit and textured scene, fingerprinted. The values were recorded
// from the native build; the cross-built suite must reproduce them under
// Wine, or the two builds would show different frames.
TEST(Reproducibility, TurnedLitFramesAreTheSameOnEveryBuild) {
    TModel model{Patterned(0, 0), Patterned(-6, 3), Patterned(5, -4)};
    struct TCase {
        bool Lit;
        float Angle;
        uint64_t Expected;
    };
    const TCase cases[] = {
        {false, 0.7f, 0xcbeb1046810e4035},
        {true, 0.7f, 0xe05566f4db44c93d},
        {true, -2.3f, 0x139731f0f4e0812b},
    };
    for (const TCase& c : cases) {
        TRender render;
        render.SetSize(64, 48);
        render.Lighting = c.Lit;
        render.CullBackFaces = false;
        render.Clear();
        TMatrix m;
        m.Scale(1.3f, 1.3f, 1.3f);
        m.RotateX(c.Angle);
        m.RotateY(c.Angle * 0.6f);
        m.RotateZ(-c.Angle * 0.3f);
        m.Translate(0.25f, -0.125f, 2.0f);
        render.SetMatrix(m);
        render.DrawList(model.List);
        EXPECT_GT(CountNot(render, 0), 200);
        EXPECT_EQ(Fingerprint(render), c.Expected) << "lit " << c.Lit << " angle " << c.Angle << " 0x" << std::hex
                                                   << Fingerprint(render);
    }
}

}  // namespace
