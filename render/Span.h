#pragma once
// The running values that the edge walk records and the spans step, one row's
// span as the span fillers read it, and the fillers themselves: pixel by
// pixel, four pixels at a time (SSE2, the x86-64 baseline) and eight at a time
// (AVX2, chosen at run time where the CPU has it). Every filler gives the same
// bits.
//
// Running values are held in 32 bits and stepped modulo 2^32: every value an
// edge records or a span reads lies inside int32 (vertex values are inside
// the limit of FixedPoint.h), so value + k x step taken modulo 2^32 is that
// value exactly, and the same as k additions. Steps are formed from 64-bit
// differences.
#include <cstdint>

#include "FixedPoint.h"
#include "Render.h"

namespace Span {

// nearest((to - from) / n), modulo 2^32.
inline int32_t StepOf(int32_t from, int32_t to, int32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(FixedPoint::NearestStep(int64_t{to} - from, n)));
}

// value + times x step, modulo 2^32.
inline int32_t Ahead(int32_t value, int32_t step, int32_t times) {
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
    void RecordInto(TRender::TRowEnd& end, int32_t column, bool take) const {
        const auto pick = [take](int32_t mine, int32_t theirs) { return take ? mine : theirs; };
        end.X = pick(column, end.X);
        end.Z = pick(Z, end.Z);
        if constexpr (Lit) end.Diffuse = pick(Diffuse, end.Diffuse), end.Specular = pick(Specular, end.Specular);
        if constexpr (Textured) end.U = pick(U, end.U), end.V = pick(V, end.V);
    }
};

// One row's span clipped to the frame: the pixels First..Last (inclusive) of
// the row's buffers, and the values at First with their steps per pixel.
template <bool Lit, bool Textured>
struct TSpan {
    uint32_t* Color;
    int32_t* Depth;
    int32_t First, Last;
    TRun<Lit, Textured> Values, Steps;
};

using TPath = TRender::TSpanPath;

// The widest path this CPU runs.
TPath WidestPath();

template <bool Lit, bool Textured>
void FillScalar(TSpan<Lit, Textured>& s, const TRender::TTexelState& tex);
template <bool Lit, bool Textured>
void FillSse2(TSpan<Lit, Textured>& s, const TRender::TTexelState& tex);
template <bool Lit, bool Textured>
void FillAvx2(TSpan<Lit, Textured>& s, const TRender::TTexelState& tex);

// `path`, or the widest path the CPU has below it.
inline TPath Usable(TPath path) {
    static const TPath widest = WidestPath();
    return path < widest ? path : widest;
}

template <bool Lit, bool Textured>
void Fill(TSpan<Lit, Textured>& s, const TRender::TTexelState& tex, TPath path) {
    switch (Usable(path)) {
        case TPath::Avx2: return FillAvx2(s, tex);
        case TPath::Sse2: return FillSse2(s, tex);
        case TPath::Scalar: break;
    }
    FillScalar(s, tex);
}

}  // namespace Span

// The texture state the spans of one primitive read.
struct TRender::TTexelState {
    const uint32_t* Texels;
    int32_t MaskU, MaskV, Shift;
    uint32_t Solid;  // texel 0, the only one an untextured span reads

    TTexelState(const uint32_t* texels, int32_t maskU, int32_t maskV, int32_t shift)
        : Texels(texels), MaskU(maskU), MaskV(maskV), Shift(shift), Solid(texels[0]) {}

    uint32_t At(int32_t u, int32_t v) const { return Texels[(((v >> 16) & MaskV) << Shift) + ((u >> 16) & MaskU)]; }
};
