// The span fillers of the x86-64 baseline: pixel by pixel (the reference) and
// four pixels at a time with SSE2; and the choice of the widest filler.
#include <algorithm>

#include "Span.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Span {

namespace {

using TTexels = TRender::TTexelState;

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

#if defined(__SSE2__)
__m128i Lanes(int32_t value, int32_t step) {
    return _mm_setr_epi32(value, Ahead(value, step, 1), Ahead(value, step, 2), Ahead(value, step, 3));
}

__m128i Select(__m128i mask, __m128i a, __m128i b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }

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
#endif

}  // namespace

// Pixel by pixel, the reference for the vector spans.
template <bool Lit, bool Textured>
void FillScalar(TSpan<Lit, Textured>& s, const TTexels& tex) {
    auto& at = s.Values;
    for (int32_t x = s.First; x <= s.Last; ++x, at.Advance(s.Steps)) {
        const int32_t depth = s.Depth[x];
        const bool nearer = at.Z < depth;
        const uint32_t t = Textured ? tex.At(at.U, at.V) : tex.Solid;
        const uint32_t color = s.Color[x];
        s.Color[x] = nearer && Painted(t) ? (Lit ? LitPixel(t, at.Diffuse, at.Specular) : t) : color;
        s.Depth[x] = nearer ? at.Z : depth;
    }
}

#if defined(__SSE2__)
// Four pixels at a time: the same depth test, texel and writes per pixel as
// FillScalar, the running values of the four pixels in the lanes. Pixels that
// fail the test keep their colour and depth (the stores write back what was
// read). The last group of a span may reach up to three pixels past its end,
// and past the end of the buffers (see TRender::VectorSlack): those lanes are
// masked off and written back unchanged.
template <bool Lit, bool Textured>
void FillSse2(TSpan<Lit, Textured>& s, const TTexels& tex) {
    __m128i diffuse{}, specular{}, dd{}, ds{};
    if constexpr (Lit) {
        diffuse = Lanes(s.Values.Diffuse, s.Steps.Diffuse), dd = _mm_set1_epi32(Ahead(0, s.Steps.Diffuse, 4));
        specular = Lanes(s.Values.Specular, s.Steps.Specular), ds = _mm_set1_epi32(Ahead(0, s.Steps.Specular, 4));
    }
    __m128i z = Lanes(s.Values.Z, s.Steps.Z);
    const __m128i dz = _mm_set1_epi32(Ahead(0, s.Steps.Z, 4));
    __m128i u{}, v{}, du{}, dv{}, maskU{}, maskV{}, shift{};
    if constexpr (Textured) {
        u = Lanes(s.Values.U, s.Steps.U), du = _mm_set1_epi32(Ahead(0, s.Steps.U, 4));
        v = Lanes(s.Values.V, s.Steps.V), dv = _mm_set1_epi32(Ahead(0, s.Steps.V, 4));
        maskU = _mm_set1_epi32(tex.MaskU), maskV = _mm_set1_epi32(tex.MaskV), shift = _mm_cvtsi32_si128(tex.Shift);
    }
    const __m128i solid = _mm_set1_epi32(static_cast<int32_t>(tex.Solid));
    const __m128i solidPainted = _mm_set1_epi32(Painted(tex.Solid) ? -1 : 0);
    const __m128i zero = _mm_setzero_si128(), four = _mm_set1_epi32(4);
    const __m128i end = _mm_set1_epi32(s.Last + 1);
    __m128i column = _mm_setr_epi32(s.First, s.First + 1, s.First + 2, s.First + 3);
    for (int32_t x = s.First; x <= s.Last; x += 4) {
        auto* depthAt = reinterpret_cast<__m128i*>(s.Depth + x);
        auto* colorAt = reinterpret_cast<__m128i*>(s.Color + x);
        const __m128i depth = _mm_loadu_si128(depthAt);
        const __m128i nearer = _mm_and_si128(_mm_cmpgt_epi32(depth, z), _mm_cmpgt_epi32(end, column));
        __m128i texel = solid, painted = solidPainted;
        if constexpr (Textured) {
            const __m128i texColumn = _mm_and_si128(_mm_srai_epi32(u, 16), maskU);
            const __m128i texRow = _mm_sll_epi32(_mm_and_si128(_mm_srai_epi32(v, 16), maskV), shift);
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
#else
template <bool Lit, bool Textured>
void FillSse2(TSpan<Lit, Textured>& s, const TTexels& tex) {
    FillScalar(s, tex);
}
#endif

TPath WidestPath() {
#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? TPath::Avx2 : TPath::Sse2;
#elif defined(__SSE2__)
    return TPath::Sse2;
#else
    return TPath::Scalar;
#endif
}

template <bool Lit, bool Textured>
void FillRowsScalar(const TRows& rows, const TTexels& tex) {
    ForEachSpan<Lit, Textured>(rows, [&tex](TSpan<Lit, Textured>& s) { FillScalar(s, tex); });
}

template <bool Lit, bool Textured>
void FillRowsSse2(const TRows& rows, const TTexels& tex) {
    ForEachSpan<Lit, Textured>(rows, [&tex](TSpan<Lit, Textured>& s) { FillSse2(s, tex); });
}

template void FillRowsScalar<false, false>(const TRows&, const TTexels&);
template void FillRowsScalar<false, true>(const TRows&, const TTexels&);
template void FillRowsScalar<true, false>(const TRows&, const TTexels&);
template void FillRowsScalar<true, true>(const TRows&, const TTexels&);
template void FillRowsSse2<false, false>(const TRows&, const TTexels&);
template void FillRowsSse2<false, true>(const TRows&, const TTexels&);
template void FillRowsSse2<true, false>(const TRows&, const TTexels&);
template void FillRowsSse2<true, true>(const TRows&, const TTexels&);

}  // namespace Span
