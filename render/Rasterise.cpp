// Triangle set-up, edge walking and span filling in 16.16 fixed point.
//
// Each primitive is drawn by a variant made for its state: lit or not, and
// textured or not (a texture whose masks are both 0, like the one texel of an
// untextured primitive, always reads texel 0, so U and V need not be walked).
// A variant walks and steps only the values its spans read.
//
// Running values are held in 32 bits and stepped modulo 2^32: every value an
// edge records or a span reads lies inside int32 (vertex values are inside
// the limit of FixedPoint.h), so value + k x step taken modulo 2^32 is that
// value exactly, and the same as k additions. Steps are formed from 64-bit
// differences.
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "FixedPoint.h"
#include "Render.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TINTROVER_VECTOR_SPANS 1
#endif

namespace {

using TScreenVertex = TRender::TScreenVertex;
using TRowEnd = TRender::TRowEnd;

constexpr int32_t NoLeftEdge = std::numeric_limits<int32_t>::max();
constexpr int32_t NoRightEdge = std::numeric_limits<int32_t>::min();

bool IsPowerOfTwo(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

// A texture the wrapped addressing can read without leaving its pixels.
bool IsUsable(const TTexture& texture) {
    return texture.Pixels && IsPowerOfTwo(texture.Width) && IsPowerOfTwo(texture.Height) &&
           texture.Shift >= 0 && texture.Shift < 31 && (int32_t{1} << texture.Shift) == texture.Width;
}

// nearest((to - from) / n), modulo 2^32.
int32_t StepOf(int32_t from, int32_t to, int32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(FixedPoint::NearestStep(int64_t{to} - from, n)));
}

// value + times x step, modulo 2^32.
int32_t Ahead(int32_t value, int32_t step, int32_t times) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(step) * static_cast<uint32_t>(times));
}

// The walked or spanned values of one variant, with their steps.
template <bool Lit, bool Textured>
struct TRun {
    int32_t Z{}, Diffuse{}, Specular{}, U{}, V{};

    template <typename TFrom>
    static TRun Of(const TFrom& p) {
        TRun r;
        r.Z = p.Z;
        if constexpr (Lit) r.Diffuse = p.Diffuse, r.Specular = p.Specular;
        if constexpr (Textured) r.U = p.U, r.V = p.V;
        return r;
    }
    template <typename TFrom>
    static TRun Step(const TFrom& p, const TFrom& q, int32_t n) {
        TRun r;
        r.Z = StepOf(p.Z, q.Z, n);
        if constexpr (Lit) r.Diffuse = StepOf(p.Diffuse, q.Diffuse, n), r.Specular = StepOf(p.Specular, q.Specular, n);
        if constexpr (Textured) r.U = StepOf(p.U, q.U, n), r.V = StepOf(p.V, q.V, n);
        return r;
    }
    void Advance(const TRun& d, int32_t times = 1) {
        Z = Ahead(Z, d.Z, times);
        if constexpr (Lit) Diffuse = Ahead(Diffuse, d.Diffuse, times), Specular = Ahead(Specular, d.Specular, times);
        if constexpr (Textured) U = Ahead(U, d.U, times), V = Ahead(V, d.V, times);
    }
    // Records the point into `end` when `take` holds; without a branch, which
    // the walk could not predict.
    void RecordInto(TRowEnd& end, int32_t column, bool take) const {
        const auto pick = [take](int32_t mine, int32_t theirs) { return take ? mine : theirs; };
        end.X = pick(column, end.X);
        end.Z = pick(Z, end.Z);
        if constexpr (Lit) end.Diffuse = pick(Diffuse, end.Diffuse), end.Specular = pick(Specular, end.Specular);
        if constexpr (Textured) end.U = pick(U, end.U), end.V = pick(V, end.V);
    }
};

// Samples the edge at p and at n - 1 further points short of q, one per row
// crossed; q is the start of the next edge.
template <bool Lit, bool Textured>
void WalkEdge(const TScreenVertex& p, const TScreenVertex& q, TRowEnd* lefts, TRowEnd* rights, int32_t height) {
    using TValues = TRun<Lit, Textured>;
    const int32_t n = std::abs((q.Y >> 16) - (p.Y >> 16)) + 1;
    const int32_t stepX = StepOf(p.X, q.X, n), stepY = StepOf(p.Y, q.Y, n);
    const TValues step = TValues::Step(p, q, n);
    TValues point = TValues::Of(p);
    int32_t x = p.X, y = p.Y;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t row = y >> 16;
        if (static_cast<uint32_t>(row) < static_cast<uint32_t>(height)) {
            const int32_t column = x >> 16;
            TRowEnd& left = lefts[row];
            TRowEnd& right = rights[row];
            point.RecordInto(left, column, column < left.X);
            point.RecordInto(right, column, column > right.X);
        }
        x = Ahead(x, stepX, 1);
        y = Ahead(y, stepY, 1);
        point.Advance(step);
    }
}

// The records of the unlit, untextured variant, which walks X and Z only: the
// column in the low half of a word and the depth in the high half, so that
// keeping or replacing a record is one compare and one conditional move.
uint64_t DepthEndOf(int32_t column, int32_t z) {
    return uint64_t{static_cast<uint32_t>(z)} << 32 | static_cast<uint32_t>(column);
}

int32_t ColumnOf(uint64_t end) { return static_cast<int32_t>(static_cast<uint32_t>(end)); }

TRowEnd RowEndOf(uint64_t end) { return {ColumnOf(end), static_cast<int32_t>(static_cast<uint32_t>(end >> 32)), 0, 0, 0, 0}; }

// WalkEdge for the records above. Z is stepped in the high half of a word,
// where adding the step shifted up is addition modulo 2^32. The rows of an
// edge's points run one way, so when its first and last points lie on rows of
// the frame, all do and the loop need not check them.
[[gnu::always_inline]] inline void WalkDepthEdge(const TScreenVertex& p, const TScreenVertex& q, uint64_t* ends, int32_t height) {
    const int32_t n = std::abs((q.Y >> 16) - (p.Y >> 16)) + 1;
    // One point needs no steps.
    const int32_t stepX = n > 1 ? StepOf(p.X, q.X, n) : 0, stepY = n > 1 ? StepOf(p.Y, q.Y, n) : 0;
    const uint64_t stepZ = n > 1 ? DepthEndOf(0, StepOf(p.Z, q.Z, n)) : 0;
    const auto walk = [&](auto guarded) {
        uint64_t z = DepthEndOf(0, p.Z);
        int32_t x = p.X, y = p.Y;
        for (int32_t k = 0; k < n; ++k) {
            const int32_t row = y >> 16;
            if (!guarded || static_cast<uint32_t>(row) < static_cast<uint32_t>(height)) {
                const int32_t column = x >> 16;
                const uint64_t point = z | static_cast<uint32_t>(column);
                uint64_t& left = ends[2 * row];
                uint64_t& right = ends[2 * row + 1];
                left = column < ColumnOf(left) ? point : left;
                right = column > ColumnOf(right) ? point : right;
            }
            x = Ahead(x, stepX, 1);
            y = Ahead(y, stepY, 1);
            z += stepZ;
        }
    };
    const auto onFrame = [height](int32_t y) { return static_cast<uint32_t>(y >> 16) < static_cast<uint32_t>(height); };
    if (onFrame(p.Y) && onFrame(Ahead(p.Y, stepY, n - 1)))
        walk(std::false_type{});
    else
        walk(std::true_type{});
}

// ((intensity x texel channel) >> 8) + specular, limited to 0..255. Rounding
// drift along a long edge can take an intensity a hair below zero; a negative
// channel would otherwise spill into its neighbours' bits. Intensities are
// inside int32, so their integer parts and the products fit 32 bits.
uint32_t LitChannel(int32_t intensity, uint32_t channel, int32_t specular) {
    const int32_t value = (((intensity >> 16) * static_cast<int32_t>(channel)) >> 8) + (specular >> 16);
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
}

uint32_t LitPixel(uint32_t t, int32_t diffuse, int32_t specular) {
    return 0xFF000000u | LitChannel(diffuse, (t >> 16) & 0xFF, specular) << 16 |
           LitChannel(diffuse, (t >> 8) & 0xFF, specular) << 8 | LitChannel(diffuse, t & 0xFF, specular);
}

bool Painted(uint32_t texel) { return (texel >> 24) == 0; }

// The texture state a span reads, with the vector constants made from it
// once per primitive.
}  // namespace

struct TRender::TTexelState {
    const uint32_t* Texels;
    int32_t MaskU, MaskV, Shift;
#ifdef TINTROVER_VECTOR_SPANS
    __m128i VectorMaskU, VectorMaskV, VectorShift, Solid, SolidPainted;
#endif

    TTexelState(const uint32_t* texels, int32_t maskU, int32_t maskV, int32_t shift)
        : Texels(texels), MaskU(maskU), MaskV(maskV), Shift(shift) {
#ifdef TINTROVER_VECTOR_SPANS
        VectorMaskU = _mm_set1_epi32(maskU);
        VectorMaskV = _mm_set1_epi32(maskV);
        VectorShift = _mm_cvtsi32_si128(shift);
        Solid = _mm_set1_epi32(static_cast<int32_t>(texels[0]));
        SolidPainted = _mm_set1_epi32((texels[0] >> 24) == 0 ? -1 : 0);
#endif
    }

    uint32_t At(int32_t u, int32_t v) const { return Texels[(((v >> 16) & MaskV) << Shift) + ((u >> 16) & MaskU)]; }
};

namespace {

using TTexels = TRender::TTexelState;

// One row's span clipped to the frame: the pixels First..Last (inclusive) of
// the row's buffers, and the values at First with their steps per pixel.
template <bool Lit, bool Textured>
struct TSpan {
    uint32_t* Color;
    int32_t* Depth;
    int32_t First, Last;
    TRun<Lit, Textured> Values, Steps;
};

// Pixel by pixel, the reference for the vector spans.
template <bool Lit, bool Textured>
void FillScalar(TSpan<Lit, Textured>& s, const TTexels& tex) {
    auto& at = s.Values;
    for (int32_t x = s.First; x <= s.Last; ++x, at.Advance(s.Steps)) {
        const int32_t depth = s.Depth[x];
        const bool nearer = at.Z < depth;
        const uint32_t t = Textured ? tex.At(at.U, at.V) : tex.Texels[0];
        const uint32_t color = s.Color[x];
        s.Color[x] = nearer && Painted(t) ? (Lit ? LitPixel(t, at.Diffuse, at.Specular) : t) : color;
        s.Depth[x] = nearer ? at.Z : depth;
    }
}

#ifdef TINTROVER_VECTOR_SPANS
// Four pixels at a time with SSE2 (the x86-64 baseline): the same depth test,
// texel and writes per pixel as FillScalar, the running values of the four
// pixels in the lanes. Pixels that fail the test keep their colour and depth
// (the stores write back what was read).
__m128i Lanes(int32_t value, int32_t step) {
    return _mm_setr_epi32(value, Ahead(value, step, 1), Ahead(value, step, 2), Ahead(value, step, 3));
}

__m128i Select(__m128i mask, __m128i a, __m128i b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }

// The last group of a span may reach up to three pixels past its end, and past
// the end of the buffers (see TRender::VectorSlack): those lanes are masked
// off and written back unchanged.
// The lit colour of four texels (LitPixel): the products of the intensities'
// integer parts (inside int16) and the channels (0..255) are exact in
// _mm_madd_epi16, and the saturating packs clamp each channel to 0..255.
__m128i LitPixels(__m128i texel, __m128i diffuse, __m128i specular) {
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i intensity = _mm_srai_epi32(diffuse, 16), added = _mm_srai_epi32(specular, 16);
    const auto channel = [&](int shift) {
        const __m128i c = _mm_and_si128(_mm_srli_epi32(texel, shift), byte);
        return _mm_add_epi32(_mm_srai_epi32(_mm_madd_epi16(intensity, c), 8), added);
    };
    const __m128i red = channel(16), green = channel(8), blue = channel(0);
    // Bytes r0..r3, g0..g3, b0..b3, b0..b3, then interleaved to b, g, r, 0xFF.
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(red, green), _mm_packs_epi32(blue, blue));
    const __m128i blueGreen = _mm_unpacklo_epi8(_mm_srli_si128(bytes, 8), _mm_srli_si128(bytes, 4));
    const __m128i redTop = _mm_unpacklo_epi8(bytes, _mm_set1_epi32(-1));
    return _mm_unpacklo_epi16(blueGreen, redTop);
}

template <bool Lit, bool Textured>
void FillVector(TSpan<Lit, Textured>& s, const TTexels& tex) {
    __m128i diffuse{}, specular{}, dd{}, ds{};
    if constexpr (Lit) {
        diffuse = Lanes(s.Values.Diffuse, s.Steps.Diffuse), dd = _mm_set1_epi32(Ahead(0, s.Steps.Diffuse, 4));
        specular = Lanes(s.Values.Specular, s.Steps.Specular), ds = _mm_set1_epi32(Ahead(0, s.Steps.Specular, 4));
    }
    __m128i z = Lanes(s.Values.Z, s.Steps.Z);
    const __m128i dz = _mm_set1_epi32(Ahead(0, s.Steps.Z, 4));
    __m128i u{}, v{}, du{}, dv{};
    if constexpr (Textured) {
        u = Lanes(s.Values.U, s.Steps.U), du = _mm_set1_epi32(Ahead(0, s.Steps.U, 4));
        v = Lanes(s.Values.V, s.Steps.V), dv = _mm_set1_epi32(Ahead(0, s.Steps.V, 4));
    }
    const __m128i zero = _mm_setzero_si128(), four = _mm_set1_epi32(4);
    const __m128i end = _mm_set1_epi32(s.Last + 1);
    __m128i column = _mm_setr_epi32(s.First, s.First + 1, s.First + 2, s.First + 3);
    for (int32_t x = s.First; x <= s.Last; x += 4) {
        auto* depthAt = reinterpret_cast<__m128i*>(s.Depth + x);
        auto* colorAt = reinterpret_cast<__m128i*>(s.Color + x);
        const __m128i depth = _mm_loadu_si128(depthAt);
        const __m128i nearer = _mm_and_si128(_mm_cmpgt_epi32(depth, z), _mm_cmpgt_epi32(end, column));
        __m128i texel = tex.Solid, painted = tex.SolidPainted;
        if constexpr (Textured) {
            const __m128i texColumn = _mm_and_si128(_mm_srai_epi32(u, 16), tex.VectorMaskU);
            const __m128i texRow = _mm_sll_epi32(_mm_and_si128(_mm_srai_epi32(v, 16), tex.VectorMaskV), tex.VectorShift);
            alignas(16) int32_t index[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_add_epi32(texRow, texColumn));
            texel = _mm_setr_epi32(static_cast<int32_t>(tex.Texels[index[0]]), static_cast<int32_t>(tex.Texels[index[1]]),
                                   static_cast<int32_t>(tex.Texels[index[2]]), static_cast<int32_t>(tex.Texels[index[3]]));
            painted = _mm_cmpeq_epi32(_mm_srli_epi32(texel, 24), zero);
            u = _mm_add_epi32(u, du), v = _mm_add_epi32(v, dv);
        }
        __m128i color = texel;
        if constexpr (Lit) {
            color = LitPixels(texel, diffuse, specular);
            diffuse = _mm_add_epi32(diffuse, dd), specular = _mm_add_epi32(specular, ds);
        }
        _mm_storeu_si128(colorAt, Select(_mm_and_si128(nearer, painted), color, _mm_loadu_si128(colorAt)));
        _mm_storeu_si128(depthAt, Select(nearer, z, depth));
        z = _mm_add_epi32(z, dz);
        column = _mm_add_epi32(column, four);
    }
}
#endif

template <bool Lit, bool Textured>
void Fill(TSpan<Lit, Textured>& s, const TTexels& tex, bool vector) {
#ifdef TINTROVER_VECTOR_SPANS
    if (vector) return FillVector(s, tex);
#endif
    (void)vector;
    FillScalar(s, tex);
}

// The frame's buffers, as the fill reads them.
struct TTarget {
    uint32_t* Color;
    int32_t* Depth;
    int32_t Width;
};

template <bool Lit, bool Textured>
void FillRow(const TTarget& target, int32_t y, const TRowEnd& left, const TRowEnd& right, const TTexels& tex, bool vector) {
    if (left.X == NoLeftEdge || right.X < left.X) return;
    TSpan<Lit, Textured> span;
    span.First = std::max(left.X, 0);
    span.Last = std::min(right.X, target.Width - 1);
    if (span.First > span.Last) return;
    // Jumping to the first visible column by multiplication gives exactly the
    // values that stepping across the hidden columns would.
    const int32_t w = right.X - left.X + 1;
    span.Steps = TRun<Lit, Textured>::Step(left, right, w);
    span.Values = TRun<Lit, Textured>::Of(left);
    span.Values.Advance(span.Steps, span.First - left.X);
    const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(target.Width);
    span.Color = target.Color + rowStart;
    span.Depth = target.Depth + rowStart;
    Fill(span, tex, vector);
}

}  // namespace

void TRender::DrawList(const TObjectList& primitives) {
    if (!ColorBuffer || Screen.empty()) return;
    for (int32_t i = 0; i < primitives.Count(); ++i) {
        const TPrimitive* primitive = primitives.GetAs<TPrimitive>(i);
        if (!primitive || primitive->Color == NotDrawnColor) continue;
        SetMaterial(*primitive);
        if (!SetTexture(primitive->Texture)) continue;
        if (!Transform(primitive->Vertices, Lighting) || !primitive->Indices) continue;
        const bool textured = (TexMaskU | TexMaskV) != 0;
        const int16_t* indices = primitive->Indices;
        const int32_t count = primitive->IndexCount;
        if (Lighting)
            textured ? DrawTriangles<true, true>(indices, count) : DrawTriangles<true, false>(indices, count);
        else
            textured ? DrawTriangles<false, true>(indices, count) : DrawTriangles<false, false>(indices, count);
    }
}

void TRender::SetMaterial(const TPrimitive& primitive) {
    Color = primitive.Color;
    SpecularPower = primitive.SpecularPower;
    SpecularLevel = primitive.SpecularLevel;
    DiffuseLevel = primitive.DiffuseLevel;
}

bool TRender::SetTexture(const TTexture* texture) {
    if (texture) {
        if (!IsUsable(*texture)) return false;
        TexWidth = texture->Width;
        TexHeight = texture->Height;
        TexShift = texture->Shift;
        Texels = texture->Pixels;
    } else {
        TexWidth = 1;
        TexHeight = 1;
        TexShift = 0;
        *SolidTexel = Color;
        Texels = SolidTexel;
    }
    TexMaskU = TexWidth - 1;
    TexMaskV = TexHeight - 1;
    return true;
}

void TRender::DrawTriangle(int32_t a, int32_t b, int32_t c) {
    if (!ColorBuffer) return;
    const int16_t indices[3] = {static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c)};
    if (indices[0] != a || indices[1] != b || indices[2] != c) return;
    const bool textured = (TexMaskU | TexMaskV) != 0;
    if (Lighting)
        textured ? DrawTriangles<true, true>(indices, 3) : DrawTriangles<true, false>(indices, 3);
    else
        textured ? DrawTriangles<false, true>(indices, 3) : DrawTriangles<false, false>(indices, 3);
}

template <bool Lit, bool Textured>
void TRender::DrawTriangles(const int16_t* indices, int32_t count) {
    const TTexels tex(Texels, TexMaskU, TexMaskV, TexShift);
    const auto vertex = [this](int16_t index) -> const TScreenVertex* {
        if (index < 0 || index >= PoolCount) return nullptr;
        const TScreenVertex& v = Screen[static_cast<size_t>(index)];
        return v.Valid ? &v : nullptr;
    };
    for (int32_t j = 0; j + 2 < count; j += 3) {
        const TScreenVertex* a = vertex(indices[j]);
        const TScreenVertex* b = vertex(indices[j + 1]);
        const TScreenVertex* c = vertex(indices[j + 2]);
        if (a && b && c) Rasterise<Lit, Textured>(*a, *b, *c, tex);
    }
}

template <bool Lit, bool Textured>
void TRender::Rasterise(const TScreenVertex& va, const TScreenVertex& vb, const TScreenVertex& vc, const TTexels& tex) {
    if (CullBackFaces) {
        // 24.8 edge vectors; a positive area runs clockwise on the screen.
        const int64_t e1x = (int64_t{vb.X} - va.X) >> 8, e1y = (int64_t{vb.Y} - va.Y) >> 8;
        const int64_t e2x = (int64_t{vc.X} - va.X) >> 8, e2y = (int64_t{vc.Y} - va.Y) >> 8;
        if (e1x * e2y - e2x * e1y <= 0) return;
    }
    const int32_t top = std::max(0, std::min({va.Y, vb.Y, vc.Y}) >> 16);
    const int32_t bottom = std::min(Height, std::max({va.Y, vb.Y, vc.Y}) >> 16);
    if (bottom <= top) return;
    // The walks stay within half a pixel of the vertices' columns: a triangle
    // wholly left or right of the frame fills nothing, and what its walks
    // would record is read by no later triangle.
    if ((std::max({va.X, vb.X, vc.X}) >> 16) < -1 || (std::min({va.X, vb.X, vc.X}) >> 16) > Width) return;

    const TTarget target{ColorBuffer, DepthBuffer, Width};
    if constexpr (!Lit && !Textured) {
        uint64_t* ends = DepthEnds.data();  // each row's left end, then its right end
        for (int32_t row = top; row < bottom; ++row) {
            ends[2 * row] = DepthEndOf(NoLeftEdge, 0);
            ends[2 * row + 1] = DepthEndOf(NoRightEdge, 0);
        }
        WalkDepthEdge(va, vb, ends, Height);
        WalkDepthEdge(vb, vc, ends, Height);
        WalkDepthEdge(vc, va, ends, Height);
        for (int32_t row = top; row < bottom; ++row)
            FillRow<Lit, Textured>(target, row, RowEndOf(ends[2 * row]), RowEndOf(ends[2 * row + 1]), tex, VectorSpans);
    } else {
        TRowEnd* lefts = LeftEnds.data();
        TRowEnd* rights = RightEnds.data();
        for (int32_t row = top; row < bottom; ++row) {
            lefts[row].X = NoLeftEdge;
            rights[row].X = NoRightEdge;
        }
        WalkEdge<Lit, Textured>(va, vb, lefts, rights, Height);
        WalkEdge<Lit, Textured>(vb, vc, lefts, rights, Height);
        WalkEdge<Lit, Textured>(vc, va, lefts, rights, Height);
        for (int32_t row = top; row < bottom; ++row) FillRow<Lit, Textured>(target, row, lefts[row], rights[row], tex, VectorSpans);
    }
}

