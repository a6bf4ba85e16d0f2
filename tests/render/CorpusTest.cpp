// A corpus of random scenes from fixed seeds: triangle soups and meshes under
// random matrices, with random colours, materials and textures (1 x 1 and
// non-square among them), lit and unlit, culled and not, near the frame edges,
// near the limits of 16.16 and beyond them. Every frame (colour and depth) is
// folded into one fingerprint per group; the fingerprints were recorded from
// the straightforward rasteriser, so any change to the drawing code that
// changes a single bit of any frame shows here, on every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "RenderTestSupport.h"
#include "Span.h"

using namespace rendertest;

namespace {

// SplitMix64, and reals from integers only, so that every build draws the
// same numbers.
class TSeeded {
public:
    explicit TSeeded(uint64_t seed) : State(seed) {}
    uint32_t Next() {
        uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int32_t Int(int32_t lo, int32_t hi) { return lo + static_cast<int32_t>(Next() % static_cast<uint32_t>(hi - lo + 1)); }
    float Real(double lo, double hi) { return static_cast<float>(lo + (hi - lo) * (Next() / 4294967296.0)); }
    bool OneIn(uint32_t n) { return Next() % n == 0; }

private:
    uint64_t State;
};

enum class TPlace { Inside, Edges, Limits };

struct TGroup {
    const char* Name;
    TPlace Place;
    bool Guarded;   // NaN, infinities, huge values, bad indices and textures
    int32_t Scenes;
    uint64_t Expected;
};

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

struct TFrameSize {
    int32_t Width, Height;
};
constexpr TFrameSize FrameSizes[] = {{300, 220}, {64, 48}, {37, 23}, {5, 3}, {1, 1}};
constexpr TFrameSize TextureSizes[] = {{1, 1}, {1, 8}, {8, 1}, {2, 2}, {4, 16}, {16, 4}, {32, 32}, {64, 2}};

class TCorpus {
public:
    TCorpus(const TGroup& group, uint64_t seed) : Group(group), Random(seed) {}

    // One scene: a sized, cleared frame and one to three passes of a list
    // under its own matrix and switches.
    void Draw(TRender& render) {
        const TFrameSize size = FrameSizes[Random.Int(0, 4)];
        render.SetSize(size.Width, size.Height);
        render.BackColor = Random.Next();
        render.Lighting = Random.OneIn(2);
        render.Clear();
        for (int32_t pass = Random.Int(1, 3); pass > 0; --pass) {
            render.CullBackFaces = Random.OneIn(2);
            TMatrix m;
            SetMatrix(m, size);
            render.SetMatrix(m);
            TModel model;
            for (int32_t n = Random.Int(1, 4); n > 0; --n) model.Add(NewPrimitive(size));
            render.DrawList(model.List);
        }
    }

private:
    void SetMatrix(TMatrix& m, const TFrameSize& size) {
        const int32_t kind = Group.Place == TPlace::Limits ? 0 : Random.Int(0, 2);
        if (kind == 1) {
            const float scale = Random.Real(0.3, 2.5);
            m.Scale(scale, scale, scale);
            m.RotateY(Random.Real(-7, 7));
            m.RotateX(Random.Real(-7, 7));
            m.RotateZ(Random.Real(-7, 7));
            m.Translate(Random.Real(-0.3, 0.3) * static_cast<float>(size.Width), Random.Real(-0.3, 0.3) * static_cast<float>(size.Height),
                        Random.Real(-50, 50));
        } else if (kind == 2) {
            for (float& e : m.Current) e = Random.Real(-1.6, 1.6);
            for (int c = 0; c < 3; ++c) m.Current[12 + c] = Random.Real(-20, 20);
            m.Current[15] = 1;
        }
        if (Group.Guarded && Random.OneIn(12)) m.Current[Random.Int(0, 15)] = Random.OneIn(2) ? NaN : 1e30f;
    }

    // Model coordinates; the matrices keep them within about a frame of the
    // centre (spread over it, or a few pixels around a point), or put them at
    // the frame's borders or at the 16.16 limits.
    float Coordinate(int32_t extent, float centre) {
        switch (Group.Place) {
            case TPlace::Edges: {
                const float border = static_cast<float>(extent) / 2.0f * (Random.OneIn(2) ? 1.0f : -1.0f);
                return border + Random.Real(-3.0, 3.0);
            }
            case TPlace::Limits:
                return !Random.OneIn(6) ? Random.Real(-40, 40) : (Random.OneIn(2) ? 1 : -1) * Random.Real(32600, 32800);
            case TPlace::Inside:
            default:
                return Spread > 0 ? centre + Random.Real(-Spread, Spread) : Random.Real(-0.7, 0.7) * static_cast<float>(extent);
        }
    }

    float Guard(float value) {
        if (!Group.Guarded || !Random.OneIn(40)) return value;
        const float odd[] = {NaN, Inf, -Inf, 1e30f, 4e4f, -3e5f};
        return odd[Random.Int(0, 5)];
    }

    TVertex* NewVertex(const TFrameSize& size) {
        auto* v = new TVertex;
        v->X = Guard(Coordinate(size.Width, CentreX));
        v->Y = Guard(Coordinate(size.Height, CentreY));
        v->Z = Guard(Random.Real(-60, 60));
        const bool noNormal = Random.OneIn(16);
        v->NX = noNormal ? 0 : Guard(Random.Real(-1, 1));
        v->NY = noNormal ? 0 : Random.Real(-1, 1);
        v->NZ = noNormal ? 0 : Random.Real(-1, 1);
        v->U = Guard(Random.Real(-3, 3));
        v->V = Random.Real(-3, 3);
        return v;
    }

    TTexture* NewTexture() {
        const TFrameSize size = TextureSizes[Random.Int(0, 7)];
        auto* texture = new TTexture;
        texture->Width = size.Width;
        texture->Height = size.Height;
        for (int32_t w = size.Width; w > 1; w >>= 1) ++texture->Shift;
        const size_t count = static_cast<size_t>(size.Width) * static_cast<size_t>(size.Height);
        texture->Pixels = RenderHeap::AllocArray<uint32_t>(count);
        const bool holes = Random.OneIn(3);
        for (size_t i = 0; i < count; ++i) {
            texture->Pixels[i] = (Random.Next() & 0x00FFFFFF) | (holes && Random.OneIn(4) ? 0x01000000u : 0u);
        }
        if (Group.Guarded && Random.OneIn(10)) texture->Shift += 1;  // unusable: the primitive is skipped
        return texture;
    }

    uint32_t NewColor() {
        if (Random.OneIn(10)) return NotDrawnColor;
        return (Random.Next() & 0x00FFFFFF) | (Random.OneIn(8) ? 0x02000000u : 0u);
    }

    TPrimitive* NewPrimitive(const TFrameSize& size) {
        auto* p = new TPrimitive;
        p->Color = NewColor();
        // Faint light on long edges drifts below zero by the rounding of the steps.
        const bool faint = Random.OneIn(4);
        p->DiffuseLevel = faint ? Random.Real(0, 0.02) : Random.Real(0, 1.5);
        p->SpecularLevel = faint ? Random.Real(0, 0.02) : Random.Real(0, 1);
        p->SpecularPower = Random.OneIn(16) ? 5000 : Random.Int(0, 12);
        if (Group.Guarded && Random.OneIn(10)) p->DiffuseLevel = Random.OneIn(2) ? 300.0f : NaN;
        if (Random.OneIn(2)) p->Texture = NewTexture();
        Spread = Random.OneIn(2) ? Random.Real(0.5, 8) : 0;
        CentreX = Random.Real(-0.6, 0.6) * static_cast<float>(size.Width);
        CentreY = Random.Real(-0.6, 0.6) * static_cast<float>(size.Height);

        std::vector<int16_t> indices;
        if (Random.OneIn(2)) {
            // A mesh: a grid of quads, two triangles each, sharing edges.
            const int32_t columns = Random.Int(2, 7), rows = Random.Int(2, 6);
            for (int32_t i = 0; i < columns * rows; ++i) p->Vertices.Add(NewVertex(size));
            for (int32_t r = 0; r + 1 < rows; ++r) {
                for (int32_t c = 0; c + 1 < columns; ++c) {
                    const auto at = [columns](int32_t row, int32_t column) { return static_cast<int16_t>(row * columns + column); };
                    for (int16_t i : {at(r, c), at(r, c + 1), at(r + 1, c + 1), at(r, c), at(r + 1, c + 1), at(r + 1, c)})
                        indices.push_back(i);
                }
            }
        } else {
            // A soup of triangles over a few shared vertices.
            const int32_t count = Random.Int(3, 12);
            for (int32_t i = 0; i < count; ++i) p->Vertices.Add(NewVertex(size));
            for (int32_t t = Random.Int(1, 10); t > 0; --t)
                for (int k = 0; k < 3; ++k) indices.push_back(static_cast<int16_t>(Random.Int(0, count - 1)));
        }
        if (Group.Guarded) {
            for (int16_t& i : indices)
                if (Random.OneIn(30)) i = static_cast<int16_t>(Random.OneIn(2) ? -1 - Random.Int(0, 3) : p->Vertices.Count() + Random.Int(0, 3));
            if (Random.OneIn(8)) indices.resize(indices.size() - 1);  // an incomplete last triple
            if (Random.OneIn(20)) p->Vertices.Add(nullptr);
            if (Random.OneIn(40)) {
                while (p->Vertices.Count() <= MaxPrimitiveVertices) p->Vertices.Add(new TVertex);
            }
        }
        AllocIndices(*p, static_cast<int32_t>(indices.size()));
        std::copy(indices.begin(), indices.end(), p->Indices);
        return p;
    }

    const TGroup& Group;
    TSeeded Random;
    float Spread{}, CentreX{}, CentreY{};  // of the primitive being made
};

using TPath = TRender::TSpanPath;
constexpr const char* PathNames[] = {"scalar", "SSE2", "AVX2"};

// Every span filler this CPU runs: pixel by pixel, four and eight at a time.
std::vector<TPath> Paths() {
    std::vector<TPath> paths;
    for (int path = 0; path <= static_cast<int>(Span::WidestPath()); ++path) paths.push_back(static_cast<TPath>(path));
    return paths;
}

TEST(Corpus, EveryFrameMatchesItsRecordedFingerprint) {
    const TGroup groups[] = {
        {"inside the frame", TPlace::Inside, false, 160, 0xba2209bd8887f784},
        {"across the frame edges", TPlace::Edges, false, 120, 0xcc39d4370ea6d2af},
        {"near the 16.16 limits", TPlace::Limits, false, 24, 0xad2cb959acad0b53},
        {"guarded input", TPlace::Inside, true, 120, 0x457041e6a7a34bd8},
        {"guarded input near the limits", TPlace::Limits, true, 24, 0xbc8384fe8ee879b0},
    };
    for (const TPath path : Paths()) {
        for (size_t g = 0; g < std::size(groups); ++g) {
            uint64_t hash = FrameHashSeed;
            TRender render;
            render.VectorSpans = path;
            for (int32_t scene = 0; scene < groups[g].Scenes; ++scene) {
                TCorpus(groups[g], g * 1000003u + static_cast<uint64_t>(scene)).Draw(render);
                hash = FoldFrame(hash, render);
            }
            EXPECT_EQ(hash, groups[g].Expected) << groups[g].Name << ", " << PathNames[static_cast<int>(path)] << " spans" << std::hex << " 0x" << hash;
        }
    }
}

// Quads square to the screen read one texture row per span (the V step is
// 0), which the vector fillers read without a general gather where they can:
// U stepping forwards or backwards, up to and past two texels a pixel, across
// the end of the row or not, on rows of 8 to 256 texels, lit and unlit, with
// hidden texels and overlaps. Every path must give the scalar fill's frames.
TEST(Corpus, SpansAlongOneTextureRowMatchThePixelByPixelFill) {
    constexpr TFrameSize RowTextures[] = {{8, 4}, {16, 2}, {32, 8}, {256, 2}};
    std::vector<uint64_t> hashes;
    for (const TPath path : Paths()) {
        TSeeded random(42);
        uint64_t hash = FrameHashSeed;
        TRender render;
        render.SetSize(300, 24);
        render.VectorSpans = path;
        for (int32_t scene = 0; scene < 150; ++scene) {
            render.Lighting = random.OneIn(2);
            render.Clear();
            TModel model;
            for (int32_t n = random.Int(1, 3); n > 0; --n) {
                const TFrameSize size = RowTextures[random.Int(0, 3)];
                TTexture* texture = MakeTexture(size.Width, size.Height, [](int32_t, int32_t) { return 0u; });
                const bool holes = random.OneIn(2);
                for (int32_t i = 0; i < size.Width * size.Height; ++i)
                    texture->Pixels[i] = (random.Next() & 0x00FFFFFF) | (holes && random.OneIn(5) ? 0x01000000u : 0u);
                const float x0 = random.Real(-40, 280), width = random.Real(1, 300), y0 = random.Real(-4, 20), y1 = y0 + random.Real(1, 12);
                const float u0 = random.Real(-2, 2), u1 = u0 + width * random.Real(-2.5, 2.5) / static_cast<float>(size.Width);
                const float v = random.Real(-2, 2), z = random.Real(-50, 50);
                const auto at = [&](float x, float y, float u) {
                    TVertexData d = AtScreen(render, x, y, z + random.Real(-5, 5), u, v);
                    d.NX = random.Real(-0.5, 0.5), d.NY = random.Real(-0.5, 0.5);
                    return d;
                };
                model.Add(MakePrimitive({at(x0, y0, u0), at(x0 + width, y0, u1), at(x0 + width, y1, u1), at(x0, y1, u0)},
                                        {0, 1, 2, 0, 2, 3}, 0, texture));
                model[model.List.Count() - 1].SpecularLevel = random.Real(0, 1);
            }
            render.DrawList(model.List);
            hash = FoldFrame(hash, render);
        }
        hashes.push_back(hash);
        EXPECT_EQ(hash, hashes.front()) << PathNames[static_cast<int>(path)] << " spans";
    }
}

// A triangle, or a small solid, is not walked when the depths already under
// it hide every pixel it could write. Each random triangle (slivers, shallow
// and steep depth slopes, lit and unlit, alone or as a solid) is drawn alone
// to learn its pixels and their depths, then over laid depths that leave it a
// hair of room: one more than its nearest pixel everywhere (only its nearest
// pixels pass), and the nearest possible depth over its vertices' columns
// with open frame beside them (only pixels strayed past those columns pass).
// Each frame must be the one its pixels give.
TEST(Corpus, TrianglesOverLaidDepthsWriteExactlyTheirNearerPixels) {
    constexpr uint32_t Back = 0x00203040, Paint = 0x00C08040;
    TSeeded random(7);
    TRender render;
    constexpr int32_t Width = 64, Height = 48;
    constexpr size_t Pixels = Width * Height;
    render.SetSize(Width, Height);
    render.BackColor = Back;
    render.CullBackFaces = false;
    int32_t checked = 0, strayed = 0;
    for (int32_t t = 0; t < 3000; ++t) {
        render.Lighting = random.OneIn(2);
        const float depthScale = random.OneIn(2) ? 0.002f : 0.5f;
        const auto vertex = [&] {
            return AtScreen(render, random.Real(-4, Width + 4), random.Real(-4, Height + 4), random.Real(-1, 1) * depthScale);
        };
        // Or a steep edge a few units either side of a column's border, whose
        // walk can stray into the next column.
        const int32_t border = random.Int(0, Width);
        const auto nearBorder = [&] {
            TVertexData v = vertex();
            v.X = static_cast<float>(((border - Width / 2) * 65536.0 + random.Int(-24, 24)) / 65535.0);
            return v;
        };
        const bool steep = random.OneIn(2);
        const TVertexData a = steep ? nearBorder() : vertex(), b = steep ? nearBorder() : vertex(), c = vertex();
        // Alone, or with three triangles of no area, as a solid tested whole.
        TModel model{random.OneIn(2) ? MakePrimitive({a, b, c}, {0, 1, 2}, Paint)
                                     : MakePrimitive({a, b, c}, {0, 1, 2, 0, 0, 0, 1, 1, 1, 2, 2, 2}, Paint)};
        render.Clear();
        render.DrawList(model.List);
        const std::vector<uint32_t> alone(render.ColorBuffer, render.ColorBuffer + Pixels);
        const std::vector<int32_t> depths(render.DepthBuffer, render.DepthBuffer + Pixels);
        const int32_t nearest = *std::min_element(depths.begin(), depths.end());
        if (nearest == TRender::EmptyDepth) continue;

        // The vertices' columns and rows, as the rasteriser places them.
        render.TransformVertices(model[0].Vertices);
        int32_t left = Width, right = -1, top = Height, bottom = -1;
        for (int32_t i = 0; i < 3; ++i) {
            const TLVertex& v = PoolAt(render, i);
            left = std::min(left, v.X >> 16), right = std::max(right, v.X >> 16);
            top = std::min(top, v.Y >> 16), bottom = std::max(bottom, v.Y >> 16);
        }
        const auto inBox = [&](size_t i) {
            const int32_t x = static_cast<int32_t>(i % Width), y = static_cast<int32_t>(i / Width);
            return x >= left && x <= right && y >= top && y <= bottom;
        };
        for (size_t i = 0; i < Pixels; ++i) strayed += depths[i] != TRender::EmptyDepth && !inBox(i);
        for (const bool overColumns : {false, true}) {
            const auto laid = [&](size_t i) {
                if (!overColumns) return nearest + 1;
                return inBox(i) ? std::numeric_limits<int32_t>::min() : TRender::EmptyDepth;
            };
            render.Clear();
            for (size_t i = 0; i < Pixels; ++i) render.DepthBuffer[i] = laid(i);
            render.DrawList(model.List);
            for (size_t i = 0; i < Pixels; ++i) {
                const bool nearer = depths[i] < laid(i);
                ASSERT_EQ(render.ColorBuffer[i], nearer ? alone[i] : Back) << "triangle " << t << ", pixel " << i;
                ASSERT_EQ(render.DepthBuffer[i], nearer ? depths[i] : laid(i)) << "triangle " << t << ", pixel " << i;
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 2000);
    EXPECT_GT(strayed, 0);
}

}  // namespace
