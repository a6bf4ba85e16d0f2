// The renderer fed arbitrary frames, matrices, primitives and textures. Most
// values are sane, so triangles land in the frame and across its edges; a few
// are hostile (NaN, infinities, huge and denormal numbers, indices outside the
// vertex list, textures of the wrong size or shift). The sanitizers watch
// every buffer; the frame itself must stay consistent, and every renderer
// heap block comes back.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "FuzzCheck.h"
#include "Render.h"

namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr std::array<float, 10> HostileFloats{
    std::numeric_limits<float>::quiet_NaN(), Inf, -Inf, 3.0e38f, -3.0e38f, 1.0e-40f, -1.0e-40f, 65536.0f, 1.0e9f, 0.0f};

class TInput {
public:
    TInput(const uint8_t* data, size_t size) : Fdp(data, size) {}

    // One in `odds` is hostile; none once the input is used up (the provider
    // then answers the low end of every range).
    bool Hostile(int odds) { return Fdp.ConsumeIntegralInRange(0, odds - 1) == 1; }
    bool Bool() { return Fdp.ConsumeBool(); }
    template <typename T>
    T In(T lo, T hi) { return Fdp.ConsumeIntegralInRange<T>(lo, hi); }
    template <typename T, size_t N>
    T Pick(const std::array<T, N>& table) { return table[Fdp.ConsumeIntegralInRange<size_t>(0, N - 1)]; }
    float Float(float lo, float hi) { return Fdp.ConsumeFloatingPointInRange(lo, hi); }
    // A model-space number: mostly within a few units.
    float Coordinate() { return Hostile(32) ? Pick(HostileFloats) : Float(-2.5f, 2.5f); }
    uint32_t Texel() { return Hostile(8) ? 0x01000000u | Fdp.ConsumeIntegral<uint32_t>() : Fdp.ConsumeIntegral<uint32_t>() & 0xFFFFFFu; }
    bool Empty() { return Fdp.remaining_bytes() == 0; }

private:
    FuzzedDataProvider Fdp;
};

// Resized only when the size changes: sizing takes a few thousand blocks.
void SetFrame(TInput& in, TRender& render) {
    constexpr std::array<std::array<int32_t, 2>, 7> odd{
        {{1, 1}, {0, 220}, {300, -1}, {1, 600}, {900, 1}, {TRender::MaxDimension + 1, 4}, {2, 2}}};
    std::array<int32_t, 2> size{in.In(1, 320), in.In(1, 240)};
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
    m.Translate(in.Float(-150.0f, 150.0f), in.Float(-150.0f, 150.0f), in.Float(-150.0f, 150.0f));
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
    const int32_t vertices = in.Hostile(10) ? in.Pick(manyVertices) : in.In(0, 12);
    for (int32_t i = 0; i < vertices; ++i) {
        // Past the input's end every vertex would be (0, 0, 0): spread the
        // large ones out so their triangles still have area.
        auto* v = new TVertex;
        v->X = in.Empty() ? static_cast<float>(i % 7) * 0.3f - 1.0f : in.Coordinate();
        v->Y = in.Empty() ? static_cast<float>(i % 5) * 0.4f - 1.0f : in.Coordinate();
        v->Z = in.Coordinate();
        v->NX = in.Coordinate();
        v->NY = in.Coordinate();
        v->NZ = in.Coordinate();
        v->U = in.Coordinate();
        v->V = in.Coordinate();
        p->Vertices.Add(v);
    }

    p->IndexCount = in.Hostile(8) ? in.In(0, 40) : 3 * in.In(0, 10);
    if (in.Hostile(32)) {
        p->IndexCount = 0;
        return p.release();  // no index buffer at all
    }
    // Exactly IndexCount entries: the renderer must not read past them.
    p->Indices = RenderHeap::AllocArray<int16_t>(static_cast<size_t>(std::max(p->IndexCount, 1)));
    const int32_t top = std::max(vertices - 1, 0);
    constexpr std::array<int16_t, 6> outside{-1, -32768, 32767, MaxPrimitiveVertices, MaxPrimitiveVertices - 1, 0};
    for (int32_t j = 0; j < p->IndexCount; ++j) {
        const int32_t near = vertices > 0 ? in.In(0, top) : 0;
        p->Indices[j] = in.Hostile(24) ? (in.Bool() ? static_cast<int16_t>(vertices) : in.Pick(outside))
                                       : static_cast<int16_t>(in.Empty() ? j % std::max(vertices, 1) : near);
    }
    return p.release();
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
            render.DrawList(list);
        }
        if (render.ColorBuffer) CheckFrame(render);
        for (int32_t i = 0; i < list.Count(); ++i) delete list.Get(i);
    }
    heap.Check();
    return 0;
}
