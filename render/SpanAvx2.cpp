// Eight pixels at a time with AVX2. Built with AVX2 enabled for this file
// alone; Span::FillRows calls it only where the CPU has AVX2.
//
// The same depth test, texel and writes per pixel as FillScalar, the running
// values of eight pixels in the lanes (value + k x step, modulo 2^32, is what
// k steps give). Pixels that fail the test keep their colour and depth: the
// stores write back what was read. The last group of a span may reach up to
// seven pixels past its end, and past the end of the buffers (see
// TRender::VectorSlack): those lanes are masked off and written back
// unchanged.
#include <algorithm>
#include <cstdlib>

#include "Span.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace Span {

namespace {

using TTexels = TRender::TTexelState;

constexpr int32_t Width = 8;

// value, value + step, ..., value + 7 x step.
__m256i Lanes(int32_t value, int32_t step) {
    return _mm256_add_epi32(_mm256_set1_epi32(value),
                            _mm256_mullo_epi32(_mm256_set1_epi32(step), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)));
}

__m256i Load(const void* at) { return _mm256_loadu_si256(static_cast<const __m256i*>(at)); }

__m256i PaintedMask(__m256i texel) { return _mm256_cmpeq_epi32(_mm256_srli_epi32(texel, 24), _mm256_setzero_si256()); }

// The lit colour of eight texels (LitPixel): the products of the intensities'
// integer parts (inside int16) and the channels (0..255) are exact in
// _mm256_madd_epi16, and the saturating packs clamp each channel to 0..255.
// The packs work within each 128-bit half, which holds four whole pixels, so
// the byte shuffle puts every channel back into its own pixel.
__m256i LitPixels(__m256i texel, __m256i diffuse, __m256i specular) {
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i intensity = _mm256_srai_epi32(diffuse, 16), added = _mm256_srai_epi32(specular, 16);
    const auto channel = [&](__m256i c) { return _mm256_add_epi32(_mm256_srai_epi32(_mm256_madd_epi16(intensity, c), 8), added); };
    const __m256i red = channel(_mm256_and_si256(_mm256_srli_epi32(texel, 16), byte));
    const __m256i green = channel(_mm256_and_si256(_mm256_srli_epi32(texel, 8), byte));
    const __m256i blue = channel(_mm256_and_si256(texel, byte));
    // Each half: bytes r0..r3, g0..g3, b0..b3, b0..b3; then b, g, r, 0xFF per pixel.
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(red, green), _mm256_packs_epi32(blue, blue));
    const __m256i order = _mm256_setr_epi8(8, 4, 0, -1, 9, 5, 1, -1, 10, 6, 2, -1, 11, 7, 3, -1,  //
                                           8, 4, 0, -1, 9, 5, 1, -1, 10, 6, 2, -1, 11, 7, 3, -1);
    return _mm256_or_si256(_mm256_shuffle_epi8(bytes, order), _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u)));
}

// How a span reads its texels: anywhere in the texture; from one texel row
// (the span's V step is 0); or from one row through a window of 8 or 16
// texels that moves along it.
enum class TRead { Anywhere, OneRow, Window8, Window16 };

constexpr int32_t WindowTexels(TRead read) { return read == TRead::Window8 ? 8 : read == TRead::Window16 ? 16 : 0; }

// A span on one texel row whose U steps at most 1 (2) texels a pixel either
// way, and that does not wrap round the row, reads columns c..c + 7 (14)
// going forwards or c - 7 (14)..c going backwards in each group, where c is
// lane 0's column. One (two) loads of eight texels from c, or from c - 7
// (15), moved inside the row if need be, hold them all; the row must be at
// least that wide.
template <bool Lit, bool Textured>
TRead ReadOf(const TSpan<Lit, Textured>& s, const TTexels& tex) {
    if (s.Steps.V != 0) return TRead::Anywhere;
    const int32_t first = s.Values.U >> 16, last = Ahead(s.Values.U, s.Steps.U, s.Last - s.First) >> 16;
    if (first >> tex.Shift != last >> tex.Shift) return TRead::OneRow;
    const int64_t step = std::abs(int64_t{s.Steps.U}), row = int64_t{tex.MaskU} + 1;
    if (step <= FixedPoint::One && row >= WindowTexels(TRead::Window8)) return TRead::Window8;
    if (step <= 2 * FixedPoint::One && row >= WindowTexels(TRead::Window16)) return TRead::Window16;
    return TRead::OneRow;
}

// The texels at eight texel indices.
__m256i Gather(const uint32_t* texels, __m256i index) {
    return _mm256_i32gather_epi32(reinterpret_cast<const int*>(texels), index, 4);
}

// The texels at eight column indices inside the window of a row from start.
template <TRead Read>
__m256i FromWindow(const uint32_t* row, int32_t start, __m256i index) {
    const __m256i at = _mm256_sub_epi32(index, _mm256_set1_epi32(start));
    const __m256i low = _mm256_permutevar8x32_epi32(Load(row + start), at);
    if constexpr (Read == TRead::Window8) return low;
    const __m256i high = _mm256_permutevar8x32_epi32(Load(row + start + 8), at);
    return _mm256_blendv_epi8(low, high, _mm256_cmpgt_epi32(at, _mm256_set1_epi32(7)));
}

template <bool Lit, bool Textured, TRead Read>
void FillGroups(const TSpan<Lit, Textured>& s, const TTexels& tex) {
    constexpr bool OneRow = Read != TRead::Anywhere;
    constexpr int32_t Window = WindowTexels(Read);
    // Locals: the vector stores may alias anything, the span's fields too.
    uint32_t* const colors = s.Color;
    int32_t* const depths = s.Depth;
    const int32_t last = s.Last, maskU = tex.MaskU, stepU = s.Steps.U;
    __m256i diffuse{}, specular{}, dd{}, ds{};
    if constexpr (Lit) {
        diffuse = Lanes(s.Values.Diffuse, s.Steps.Diffuse), dd = _mm256_set1_epi32(Ahead(0, s.Steps.Diffuse, Width));
        specular = Lanes(s.Values.Specular, s.Steps.Specular), ds = _mm256_set1_epi32(Ahead(0, s.Steps.Specular, Width));
    }
    __m256i z = Lanes(s.Values.Z, s.Steps.Z);
    const __m256i dz = _mm256_set1_epi32(Ahead(0, s.Steps.Z, Width));
    __m256i u{}, v{}, du{}, dv{};
    const __m256i vectorMaskU = _mm256_set1_epi32(maskU), vectorMaskV = _mm256_set1_epi32(tex.MaskV);
    const __m128i shift = _mm_cvtsi32_si128(tex.Shift);
    const uint32_t* texels = tex.Texels;
    int32_t firstU = s.Values.U;  // lane 0's
    const int32_t behind = stepU < 0 ? 1 - Window : 0, lastStart = maskU + 1 - Window;
    if constexpr (Textured) {
        u = Lanes(s.Values.U, stepU), du = _mm256_set1_epi32(Ahead(0, stepU, Width));
        v = Lanes(s.Values.V, s.Steps.V), dv = _mm256_set1_epi32(Ahead(0, s.Steps.V, Width));
        if constexpr (OneRow) texels += ((s.Values.V >> 16) & tex.MaskV) << tex.Shift;
    }
    const __m256i solid = _mm256_set1_epi32(static_cast<int32_t>(tex.Solid));
    const __m256i solidPainted = PaintedMask(solid);

    // The last group's lanes past the end are masked off.
    const __m256i end = _mm256_set1_epi32(last + 1), step = _mm256_set1_epi32(Width);
    __m256i column = Lanes(s.First, 1);
    for (int32_t x = s.First; x <= last; x += Width) {
        uint32_t* colorAt = colors + x;
        int32_t* depthAt = depths + x;
        const __m256i depth = Load(depthAt);
        const __m256i nearer = _mm256_and_si256(_mm256_cmpgt_epi32(depth, z), _mm256_cmpgt_epi32(end, column));
        __m256i texel = solid, painted = solidPainted;
        if constexpr (Textured) {
            __m256i index = _mm256_and_si256(_mm256_srai_epi32(u, 16), vectorMaskU);
            if constexpr (Window > 0) {
                texel = FromWindow<Read>(texels, std::clamp(((firstU >> 16) & maskU) + behind, 0, lastStart), index);
                firstU = Ahead(firstU, stepU, Width);
            } else {
                if constexpr (!OneRow)
                    index = _mm256_add_epi32(index, _mm256_sll_epi32(_mm256_and_si256(_mm256_srai_epi32(v, 16), vectorMaskV), shift));
                texel = Gather(texels, index);
            }
            painted = PaintedMask(texel);
            u = _mm256_add_epi32(u, du);
            if constexpr (!OneRow) v = _mm256_add_epi32(v, dv);
        }
        __m256i color = texel;
        if constexpr (Lit) {
            color = LitPixels(texel, diffuse, specular);
            diffuse = _mm256_add_epi32(diffuse, dd), specular = _mm256_add_epi32(specular, ds);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(colorAt),
                            _mm256_blendv_epi8(Load(colorAt), color, _mm256_and_si256(nearer, painted)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(depthAt), _mm256_blendv_epi8(depth, z, nearer));
        z = _mm256_add_epi32(z, dz);
        column = _mm256_add_epi32(column, step);
    }
}

// The rows of an unlit, untextured triangle: one colour, so only the depth
// runs along a span, and what the rows share is made once. The same bits as
// FillGroups (the corpus test compares every path).
template <bool Painted>
void FillDepthRows(const TRows& rows, uint32_t solid) {
    const __m256i lane = Lanes(0, 1), color = _mm256_set1_epi32(static_cast<int32_t>(solid));
    ForEachSpan<false, false>(rows, [&](const TSpan<false, false>& s) {
        __m256i z = Lanes(s.Values.Z, s.Steps.Z);
        const __m256i dz = _mm256_set1_epi32(Ahead(0, s.Steps.Z, Width));
        for (int32_t x = s.First; x <= s.Last; x += Width) {
            int32_t* depthAt = s.Depth + x;
            const __m256i depth = Load(depthAt);
            // Lanes before the span's end whose pixel is farther.
            const __m256i nearer =
                _mm256_and_si256(_mm256_cmpgt_epi32(depth, z), _mm256_cmpgt_epi32(_mm256_set1_epi32(s.Last - x + 1), lane));
            if constexpr (Painted) {
                uint32_t* colorAt = s.Color + x;
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(colorAt), _mm256_blendv_epi8(Load(colorAt), color, nearer));
            }
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(depthAt), _mm256_blendv_epi8(depth, z, nearer));
            z = _mm256_add_epi32(z, dz);
        }
    });
}

}  // namespace

template <bool Lit, bool Textured>
void FillAvx2(TSpan<Lit, Textured>& s, const TTexels& tex) {
    if constexpr (Textured) {
        switch (ReadOf(s, tex)) {
            case TRead::Window8: return FillGroups<Lit, Textured, TRead::Window8>(s, tex);
            case TRead::Window16: return FillGroups<Lit, Textured, TRead::Window16>(s, tex);
            case TRead::OneRow: return FillGroups<Lit, Textured, TRead::OneRow>(s, tex);
            case TRead::Anywhere: break;
        }
    }
    FillGroups<Lit, Textured, TRead::Anywhere>(s, tex);
}

template <bool Lit, bool Textured>
void FillRowsAvx2(const TRows& rows, const TTexels& tex) {
    if constexpr (!Lit && !Textured) {
        // A texel that is not painted leaves every colour as it was.
        if ((tex.Solid >> 24) == 0) return FillDepthRows<true>(rows, tex.Solid);
        return FillDepthRows<false>(rows, tex.Solid);
    }
    ForEachSpan<Lit, Textured>(rows, [&tex](TSpan<Lit, Textured>& s) { FillAvx2(s, tex); });
}

template void FillRowsAvx2<false, false>(const TRows&, const TTexels&);
template void FillRowsAvx2<false, true>(const TRows&, const TTexels&);
template void FillRowsAvx2<true, false>(const TRows&, const TTexels&);
template void FillRowsAvx2<true, true>(const TRows&, const TTexels&);

}  // namespace Span

#else
// A compiler without AVX2 for this file: the widest path stays SSE2.
namespace Span {
template <bool Lit, bool Textured>
void FillRowsAvx2(const TRows& rows, const TRender::TTexelState& tex) {
    FillRowsSse2<Lit, Textured>(rows, tex);
}
template void FillRowsAvx2<false, false>(const TRows&, const TRender::TTexelState&);
template void FillRowsAvx2<false, true>(const TRows&, const TRender::TTexelState&);
template void FillRowsAvx2<true, false>(const TRows&, const TRender::TTexelState&);
template void FillRowsAvx2<true, true>(const TRows&, const TRender::TTexelState&);
}  // namespace Span
#endif
