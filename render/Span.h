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
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

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

// The records of the unlit, untextured variant, which walks X and Z only: the
// column in the low half of a word and the depth in the high half, so that
// keeping or replacing a record is one compare and one conditional move.
inline uint64_t DepthEndOf(int32_t column, int32_t z) {
    return uint64_t{static_cast<uint32_t>(z)} << 32 | static_cast<uint32_t>(column);
}

inline int32_t ColumnOf(uint64_t end) { return static_cast<int32_t>(static_cast<uint32_t>(end)); }

inline TRender::TRowEnd RowEndOf(uint64_t end) {
    return {ColumnOf(end), static_cast<int32_t>(static_cast<uint32_t>(end >> 32)), 0, 0, 0, 0};
}

// A row that no edge reached keeps the left end's column at NoLeftEdge.
inline constexpr int32_t NoLeftEdge = std::numeric_limits<int32_t>::max();
inline constexpr int32_t NoRightEdge = std::numeric_limits<int32_t>::min();

// One triangle's rows Top..Bottom - 1 of the frame, with the ends its walk
// recorded: packed in DepthEnds (left, right, row by row) for the unlit,
// untextured variant, in Lefts and Rights for the others.
struct TRows {
    uint32_t* Color;
    int32_t* Depth;
    int32_t Width;
    int32_t Top, Bottom;
    const TRender::TRowEnd* Lefts;
    const TRender::TRowEnd* Rights;
    const uint64_t* DepthEnds;
};

// Calls fill with the span of each row that has one on the frame.
template <bool Lit, bool Textured, typename TFill>
[[gnu::always_inline]] inline void ForEachSpan(const TRows& rows, TFill&& fill) {
    for (int32_t y = rows.Top; y < rows.Bottom; ++y) {
        TRender::TRowEnd left, right;
        if constexpr (!Lit && !Textured) {
            left = RowEndOf(rows.DepthEnds[2 * y]);
            right = RowEndOf(rows.DepthEnds[2 * y + 1]);
        } else {
            left = rows.Lefts[y];
            right = rows.Rights[y];
        }
        if (left.X == NoLeftEdge || right.X < left.X) continue;
        TSpan<Lit, Textured> span;
        span.First = std::max(left.X, 0);
        span.Last = std::min(right.X, rows.Width - 1);
        if (span.First > span.Last) continue;
        // Jumping to the first visible column by multiplication gives exactly
        // the values that stepping across the hidden columns would.
        const int32_t w = right.X - left.X + 1;
        span.Steps = TRun<Lit, Textured>::Step(left, right, w);
        span.Values = TRun<Lit, Textured>::Of(left);
        span.Values.Advance(span.Steps, span.First - left.X);
        const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(rows.Width);
        span.Color = rows.Color + rowStart;
        span.Depth = rows.Depth + rowStart;
        fill(span);
    }
}

// Fill the spans of one triangle's rows; one call a triangle, so that what
// the spans share stays in registers from row to row.
template <bool Lit, bool Textured>
void FillRowsScalar(const TRows& rows, const TRender::TTexelState& tex);
template <bool Lit, bool Textured>
void FillRowsSse2(const TRows& rows, const TRender::TTexelState& tex);
template <bool Lit, bool Textured>
void FillRowsAvx2(const TRows& rows, const TRender::TTexelState& tex);

// `path`, or the widest path the CPU has below it.
inline TPath Usable(TPath path) {
    static const TPath widest = WidestPath();
    return path < widest ? path : widest;
}

template <bool Lit, bool Textured>
void FillRows(const TRows& rows, const TRender::TTexelState& tex, TPath path) {
    switch (Usable(path)) {
        case TPath::Avx2: return FillRowsAvx2<Lit, Textured>(rows, tex);
        case TPath::Sse2: return FillRowsSse2<Lit, Textured>(rows, tex);
        case TPath::Scalar: break;
    }
    FillRowsScalar<Lit, Textured>(rows, tex);
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
