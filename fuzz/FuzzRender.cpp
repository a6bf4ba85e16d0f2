// The renderer fed arbitrary frames, matrices, primitives and textures. Most
// values are sane, so triangles land in the frame and across its edges; a few
// are hostile (NaN, infinities, huge and denormal numbers, indices outside the
// vertex list, textures of the wrong size or shift). The sanitizers watch
// every buffer; the frame itself must stay consistent, and every renderer
// heap block comes back.
#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/asan_interface.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "FuzzCheck.h"
#include "Render.h"

namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr std::array<float, 10> HostileFloats{
    std::numeric_limits<float>::quiet_NaN(), Inf, -Inf, 3.0e38f, -3.0e38f, 1.0e-40f, -1.0e-40f, 65536.0f, 1.0e9f, 0.0f};

// The first half of the input shapes the scene (sizes, counts, indices,
// switches), the second half gives its numbers, so that neither runs dry
// because the other took the bytes. A provider that has run dry answers the
// low end of every range.
class TInput {
public:
    TInput(const uint8_t* data, size_t size) : Shape(data, size / 2), Values(data + size / 2, size - size / 2) {}

    // One in `odds` is hostile; none once the shape bytes are used up.
    bool Hostile(int odds) { return OneIn(Shape, odds); }
    bool Bool() { return Shape.ConsumeBool(); }
    template <typename T>
    T In(T lo, T hi) { return Shape.ConsumeIntegralInRange<T>(lo, hi); }
    template <typename T, size_t N>
    T Pick(const std::array<T, N>& table) { return PickFrom(Shape, table); }

    float Float(float lo, float hi) { return Values.ConsumeFloatingPointInRange(lo, hi); }
    // -range..range, 0 once the value bytes are used up.
    float Offset(float range) { return Float(0.0f, range) * (Values.ConsumeBool() ? -1.0f : 1.0f); }
    // A model-space number: mostly within a few units.
    float Coordinate() { return OneIn(Values, 32) ? PickFrom(Values, HostileFloats) : Float(-2.5f, 2.5f); }
    uint32_t Texel() {
        const auto flag = OneIn(Values, 8) ? 0x01000000u : 0u;
        return flag | (Values.ConsumeIntegral<uint32_t>() & 0xFFFFFFu);
    }
    bool Empty() { return Values.remaining_bytes() == 0; }

private:
    static bool OneIn(FuzzedDataProvider& p, int odds) { return p.ConsumeIntegralInRange(0, odds - 1) == 1; }
    template <typename T, size_t N>
    static T PickFrom(FuzzedDataProvider& p, const std::array<T, N>& table) {
        return table[p.ConsumeIntegralInRange<size_t>(0, N - 1)];
    }

    FuzzedDataProvider Shape;
    FuzzedDataProvider Values;
};

// Resized only when the size changes: sizing takes a few thousand blocks.
void SetFrame(TInput& in, TRender& render) {
    constexpr std::array<std::array<int32_t, 2>, 7> odd{
        {{1, 1}, {0, 220}, {300, -1}, {1, 600}, {900, 1}, {TRender::MaxDimension + 1, 4}, {2, 2}}};
    // Counted down from the largest size, so that a short input still draws
    // across a whole frame.
    std::array<int32_t, 2> size{320 - in.In(0, 319), 240 - in.In(0, 239)};
    if (in.Hostile(8)) size = in.Pick(odd);
    if (size[0] != render.Width || size[1] != render.Height || !render.ColorBuffer) render.SetSize(size[0], size[1]);
    render.BackColor = in.Texel();
    render.Lighting = in.Bool();
    render.CullBackFaces = in.Bool();
    render.Clear();
}

// Either the view's kind of transform (scale, shift, three turns) or sixteen
// raw entries.
void SetMatrix(TInput& in, TMatrix& m) {
    m.Reset();
    if (in.Hostile(6)) {
        TMatrix4 raw;
        for (float& e : raw) e = in.Hostile(4) ? in.Pick(HostileFloats) : in.Float(-300.0f, 300.0f);
        m.Multiply(raw);
        return;
    }
    constexpr std::array<float, 6> scales{100.0f, 60.0f, 250.0f, 1.0f, 2000.0f, -100.0f};
    const float s = in.Pick(scales);
    m.Scale(s, in.Hostile(8) ? in.Pick(HostileFloats) : s, s);
    m.Translate(in.Offset(150.0f), in.Offset(150.0f), in.Offset(150.0f));
    m.RotateY(in.Float(-7.0f, 7.0f));
    m.RotateX(in.Hostile(16) ? in.Pick(HostileFloats) : in.Float(-7.0f, 7.0f));
    m.RotateZ(in.Float(-7.0f, 7.0f));
}

// A texture as a record might carry one: usually a proper power of two,
// sometimes a size or shift the wrapped addressing cannot use. Its pixel
// buffer holds exactly Width x Height texels, so any read outside is caught.
TTexture* TextureOf(TInput& in) {
    constexpr std::array<int32_t, 12> sizes{1, 2, 4, 8, 16, 64, 128, 256, 3, 100, 0, -4};
    auto t = std::make_unique<TTexture>();
    t->Width = in.Hostile(6) ? in.Pick(sizes) : in.Pick(sizes) & 0x1FF;
    t->Height = in.Bool() ? t->Width : in.Pick(sizes);
    int32_t shift = 0;
    while (t->Width > 0 && (int32_t{1} << shift) < t->Width && shift < 30) ++shift;
    t->Shift = in.Hostile(6) ? in.In(-2, 40) : shift;
    if (t->Width > 0 && t->Height > 0) {
        const size_t count = static_cast<size_t>(t->Width) * static_cast<size_t>(t->Height);
        t->Pixels = RenderHeap::AllocArray<uint32_t>(count);
        const uint32_t a = in.Texel(), b = in.Texel();
        for (size_t i = 0; i < count; ++i) t->Pixels[i] = (i * 7 + i / static_cast<size_t>(t->Width)) % 5 ? a : b;
    }
    return t.release();
}

TPrimitive* PrimitiveOf(TInput& in) {
    auto p = std::make_unique<TPrimitive>();
    constexpr std::array<uint32_t, 4> colours{NotDrawnColor, 0xFF000000u, 0x01FFFFFFu, 0xFFFFFFu};
    p->Color = in.Hostile(6) ? in.Pick(colours) : in.Texel() & 0xFFFFFFu;
    constexpr std::array<int32_t, 6> powers{0, 1, 4, 4097, 1 << 30, -3};
    p->SpecularPower = in.Hostile(4) ? in.Pick(powers) : in.In(0, 40);
    p->SpecularLevel = in.Hostile(16) ? in.Pick(HostileFloats) : in.Float(0.0f, 1.5f);
    p->DiffuseLevel = in.Hostile(16) ? in.Pick(HostileFloats) : in.Float(0.0f, 1.5f);
    if (in.Bool()) p->Texture = TextureOf(in);

    constexpr std::array<int32_t, 4> manyVertices{MaxPrimitiveVertices, MaxPrimitiveVertices + 1, 1000, 0};
    const int32_t vertices = in.Hostile(10) ? in.Pick(manyVertices) : 12 - in.In(0, 12);
    for (int32_t i = 0; i < vertices; ++i) {
        // Past the input's end every vertex would be (0, 0, 0): spread them
        // out so that their triangles still have area and cross the edges.
        auto* v = new TVertex;
        v->X = in.Empty() ? static_cast<float>(i % 7) * 0.6f - 1.8f : in.Coordinate();
        v->Y = in.Empty() ? static_cast<float>(i % 5) * 0.8f - 1.6f : in.Coordinate();
        v->Z = in.Coordinate();
        v->NX = in.Coordinate();
        v->NY = in.Coordinate();
        v->NZ = in.Coordinate();
        v->U = in.Coordinate();
        v->V = in.Coordinate();
        p->Vertices.Add(v);
    }

    p->IndexCount = in.Hostile(8) ? in.In(0, 40) : 3 * (10 - in.In(0, 10));
    if (in.Hostile(32)) {
        p->IndexCount = 0;
        return p.release();  // no index buffer at all
    }
    // Exactly IndexCount entries: the renderer must not read past them. The
    // sane indices follow from a seed, so that a few input bytes shape a
    // whole mesh; one of them may then be replaced by a hostile one.
    p->Indices = RenderHeap::AllocArray<int16_t>(static_cast<size_t>(std::max(p->IndexCount, 1)));
    std::minstd_rand pattern(in.In<uint32_t>(0, 0xFFFF));
    for (int32_t j = 0; j < p->IndexCount; ++j)
        p->Indices[j] = static_cast<int16_t>(vertices > 0 ? pattern() % static_cast<uint32_t>(vertices) : 0);
    constexpr std::array<int16_t, 5> outside{-1, -32768, 32767, MaxPrimitiveVertices, MaxPrimitiveVertices - 1};
    if (p->IndexCount > 0 && in.Hostile(3)) {
        const int32_t at = in.In(0, p->IndexCount - 1);
        p->Indices[at] = in.Bool() ? static_cast<int16_t>(vertices) : in.Pick(outside);
    }
    return p.release();
}

// Draws one primitive. The pool vertices past its own still hold those of
// earlier primitives: valid memory, but reading one is a fault all the same,
// so they are poisoned while it is drawn.
void DrawAlone(TRender& render, TPrimitive* primitive) {
    const auto poison = [&](bool on) {
        for (int32_t i = primitive->Vertices.Count(); i < render.VertexPool.Count(); ++i) {
            TObject* v = render.VertexPool.Get(i);
            if (on) {
                ASAN_POISON_MEMORY_REGION(v, sizeof(TLVertex));
            } else {
                ASAN_UNPOISON_MEMORY_REGION(v, sizeof(TLVertex));
            }
        }
    };
    TObjectList one;
    one.Add(primitive);
    poison(true);
    render.DrawList(one);
    poison(false);
}

// Colour is written only where depth was: a pixel that differs from the
// background has a depth nearer than the empty one.
void CheckFrame(const TRender& render) {
    const size_t pixels = static_cast<size_t>(render.Width) * static_cast<size_t>(render.Height);
    for (size_t i = 0; i < pixels; ++i) {
        if (render.ColorBuffer[i] != render.BackColor)
            Require(render.DepthBuffer[i] != TRender::EmptyDepth, "colour written only with its depth");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TRender render;
    TInput in(data, size);
    SetFrame(in, render);
    const THeapBalance heap;
    {
        TObjectList list;
        const int32_t primitives = in.In(1, 4);
        for (int32_t i = 0; i < primitives; ++i) list.Add(PrimitiveOf(in));
        // One list drawn under one or two transforms, as the views do.
        const int32_t passes = in.In(1, 2);
        TMatrix m;
        for (int32_t pass = 0; pass < passes; ++pass) {
            SetMatrix(in, m);
            render.SetMatrix(m);
            for (int32_t i = 0; i < list.Count(); ++i) DrawAlone(render, list.GetAs<TPrimitive>(i));
        }
        if (render.ColorBuffer) CheckFrame(render);
        FreeObjects(list);
    }
    heap.Check();
    return 0;
}
