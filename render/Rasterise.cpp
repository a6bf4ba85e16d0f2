// Triangle set-up and edge walking in 16.16 fixed point; each row's span is
// filled by the span fillers of Span.h.
//
// Each primitive is drawn by a variant made for its state: lit or not, and
// textured or not (a texture whose masks are both 0, like the one texel of an
// untextured primitive, always reads texel 0, so U and V need not be walked).
// A variant walks and steps only the values its spans read.
//
// Running values are held in 32 bits and stepped modulo 2^32 (see Span.h).
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Render.h"
#include "Span.h"

namespace {

using Span::Ahead;
using Span::ColumnOf;
using Span::DepthEndOf;
using Span::NoLeftEdge;
using Span::NoRightEdge;
using Span::StepOf;
using Span::TRun;
using TScreenVertex = TRender::TScreenVertex;
using TRowEnd = TRender::TRowEnd;
using TBounds = TRender::TBounds;
using TTexels = TRender::TTexelState;

bool IsPowerOfTwo(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

// A texture the wrapped addressing can read without leaving its pixels.
bool IsUsable(const TTexture& texture) {
    return texture.Pixels && IsPowerOfTwo(texture.Width) && IsPowerOfTwo(texture.Height) &&
           texture.Shift >= 0 && texture.Shift < 31 && (int32_t{1} << texture.Shift) == texture.Width;
}

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

// An edge of the unlit, untextured variant: its points and its steps in X, Y
// and Z (StepOf over the points).
struct TDepthEdge {
    int32_t Points, X, Y, Z;
};

// The edges ab, bc and ca of a triangle. Their nine divisions are taken two
// to an instruction, each lane with the quotient and the rounding StepOf
// takes. Vertex values lie inside the limit of FixedPoint.h, so over two
// points or more every step fits int32, as the conversion needs; an edge of
// one point is never stepped, and its steps are left unspecified.
void DepthEdgesOf(const TScreenVertex& a, const TScreenVertex& b, const TScreenVertex& c, TDepthEdge (&edges)[3]) {
    const TScreenVertex* corners[4] = {&a, &b, &c, &a};
    for (size_t e = 0; e < 3; ++e) edges[e].Points = std::abs((corners[e + 1]->Y >> 16) - (corners[e]->Y >> 16)) + 1;
#if defined(__SSE2__)
    const auto difference = [](int32_t from, int32_t to) { return static_cast<double>(int64_t{to} - from); };
    const auto divide = [](double d0, double d1, int32_t n0, int32_t n1, int32_t& step0, int32_t& step1) {
        const __m128i steps = _mm_cvtpd_epi32(_mm_div_pd(_mm_setr_pd(d0, d1), _mm_setr_pd(n0, n1)));
        step0 = _mm_cvtsi128_si32(steps);
        step1 = _mm_cvtsi128_si32(_mm_srli_si128(steps, 4));
    };
    TDepthEdge& e0 = edges[0], &e1 = edges[1], &e2 = edges[2];
    divide(difference(a.X, b.X), difference(a.Y, b.Y), e0.Points, e0.Points, e0.X, e0.Y);
    divide(difference(a.Z, b.Z), difference(b.X, c.X), e0.Points, e1.Points, e0.Z, e1.X);
    divide(difference(b.Y, c.Y), difference(b.Z, c.Z), e1.Points, e1.Points, e1.Y, e1.Z);
    divide(difference(c.X, a.X), difference(c.Y, a.Y), e2.Points, e2.Points, e2.X, e2.Y);
    int32_t none;
    divide(difference(c.Z, a.Z), 0.0, e2.Points, 1, e2.Z, none);
#else
    for (size_t e = 0; e < 3; ++e) {
        const TScreenVertex& p = *corners[e];
        const TScreenVertex& q = *corners[e + 1];
        edges[e].X = StepOf(p.X, q.X, edges[e].Points);
        edges[e].Y = StepOf(p.Y, q.Y, edges[e].Points);
        edges[e].Z = StepOf(p.Z, q.Z, edges[e].Points);
    }
#endif
}

// WalkEdge for the packed records of the unlit, untextured variant
// (Span::DepthEndOf). Z is stepped in the high half of a word,
// where adding the step shifted up is addition modulo 2^32. The rows of an
// edge's points run one way, so when its first and last points lie on rows of
// the frame, all do and the loop need not check them.
[[gnu::always_inline]] inline void WalkDepthEdge(const TScreenVertex& p, const TDepthEdge& edge, uint64_t* ends, int32_t height) {
    const int32_t n = edge.Points, stepX = edge.X;
    const int64_t stepY = edge.Y;
    const uint64_t stepZ = DepthEndOf(0, edge.Z);
    const auto walk = [&](auto guarded) {
        uint64_t z = DepthEndOf(0, p.Z);
        int32_t x = p.X;
        // Every point's y lies inside int32 (see the top of Span.h), so 64-bit
        // sums give the values that steps modulo 2^32 do, and the row is an
        // index as it stands.
        int64_t y = p.Y;
        for (int32_t k = n; k > 0; --k) {
            const int64_t row = y >> 16;
            if (!guarded || static_cast<uint64_t>(row) < static_cast<uint64_t>(height)) {
                const int32_t column = x >> 16;
                const uint64_t point = z | static_cast<uint32_t>(column);
                uint64_t& left = ends[2 * row];
                uint64_t& right = ends[2 * row + 1];
                left = column < ColumnOf(left) ? point : left;
                right = column > ColumnOf(right) ? point : right;
            }
            x = Ahead(x, stepX, 1);
            y += stepY;
            z += stepZ;
        }
    };
    const auto onFrame = [height](int32_t y) { return static_cast<uint32_t>(y >> 16) < static_cast<uint32_t>(height); };
    if (onFrame(p.Y) && onFrame(Ahead(p.Y, edge.Y, n - 1)))
        walk(std::false_type{});
    else
        walk(std::true_type{});
}

// The rows of the frame the triangles within `bounds` fill: from the top
// vertex's row to the row above the bottom vertex's.
struct TRowRange {
    int32_t Top, Bottom;
};

TRowRange RowsOf(const TBounds& bounds, int32_t height) {
    return {std::max(0, bounds.MinY >> 16), std::min(height, bounds.MaxY >> 16)};
}

// The columns the spans of triangles within some bounds can write, clipped to
// the frame, and the least depth they can give. Each step is nearest((q - p)
// / n), within half a unit and a rounding hair of the exact step, so the k-th
// point of an edge lies within k / 2 + a hair of the segment pq, in X and in
// Z. As k < n and n - 1 is at most the rows R the bounds span, no point
// strays more than floor(R / 2) + 1 units beyond the bounds. A span steps from
// its two ends in the same way across at most C columns, C the width of the
// reach before clipping, and strays at most floor(C / 2) + 1 further.
struct TReach {
    int32_t Left, Right;
    int64_t LeastDepth;
};

TReach ReachOf(const TBounds& bounds, int32_t width) {
    const int64_t rows = (bounds.MaxY >> 16) - (bounds.MinY >> 16);
    const int64_t stray = rows / 2 + 2;  // a unit to spare, here and below
    const int64_t left = (int64_t{bounds.MinX} - stray) >> 16;
    const int64_t right = (int64_t{bounds.MaxX} + stray) >> 16;
    const int64_t least = bounds.MinZ - rows / 2 - (right - left) / 2 - 4;
    return {static_cast<int32_t>(std::max<int64_t>(left, 0)), static_cast<int32_t>(std::min<int64_t>(right, width - 1)), least};
}

// True when every depth of rows top..bottom - 1, columns left..right (at
// least one) is at most `limit`.
bool AllAtMost(const int32_t* depths, int32_t width, int32_t top, int32_t bottom, int32_t left, int32_t right, int32_t limit) {
    const int32_t count = right - left + 1;
    for (int32_t y = top; y < bottom; ++y) {
        const int32_t* row = depths + static_cast<size_t>(y) * static_cast<size_t>(width) + left;
#if defined(__SSE2__)
        if (count >= 4) {
            // Groups of four from the left, the last one ending at `right`.
            const __m128i most = _mm_set1_epi32(limit);
            const auto over = [&](int32_t x) { return _mm_cmpgt_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), most); };
            __m128i any = over(count - 4);
            for (int32_t x = 0; x + 4 < count; x += 4) any = _mm_or_si128(any, over(x));
            if (_mm_movemask_epi8(any) != 0) return false;
            continue;
        }
#endif
        for (int32_t x = 0; x < count; ++x)
            if (row[x] > limit) return false;
    }
    return true;
}

// Small solids, primitives of at least four triangles over at most 64
// vertices, are tested whole before their triangles are: their triangles
// overlap on the screen, and their bounds are quickly found. (A box is twelve
// triangles over eight corners.)
constexpr int32_t SolidIndices = 12;
constexpr int32_t SolidVertices = 64;

}  // namespace

TRender::TBounds TRender::PoolBounds() const {
    TBounds bounds;
    for (int32_t i = 0; i < PoolCount; ++i)
        if (Screen[static_cast<size_t>(i)].Valid) bounds.Add(Screen[static_cast<size_t>(i)]);
    return bounds;
}

void TRender::TBounds::Add(const TScreenVertex& v) {
    MinX = std::min(MinX, v.X), MaxX = std::max(MaxX, v.X);
    MinY = std::min(MinY, v.Y), MaxY = std::max(MaxY, v.Y);
    MinZ = std::min(MinZ, v.Z);
}

// Each pixel a triangle could write fails the depth test, where the depths
// already there are at most the least it could give, and keeps its colour
// and depth.
bool TRender::WritesNothing(const TBounds& bounds) const {
    const auto [top, bottom] = RowsOf(bounds, Height);
    if (bottom <= top) return true;
    const TReach reach = ReachOf(bounds, Width);
    if (reach.Left > reach.Right) return true;
    return reach.LeastDepth >= std::numeric_limits<int32_t>::min() &&
           AllAtMost(DepthBuffer, Width, top, bottom, reach.Left, reach.Right, static_cast<int32_t>(reach.LeastDepth));
}

void TRender::DrawList(const TObjectList& primitives) {
    if (!ColorBuffer || Screen.empty()) return;
    for (int32_t i = 0; i < primitives.Count(); ++i) {
        const TPrimitive* primitive = primitives.GetAs<TPrimitive>(i);
        if (!primitive || primitive->Color == NotDrawnColor) continue;
        SetMaterial(*primitive);
        if (!SetTexture(primitive->Texture)) continue;
        if (!Transform(primitive->Vertices, Lighting) || !primitive->Indices) continue;
        // A small solid wholly behind what is drawn is passed over at once,
        // not tested triangle by triangle.
        if (primitive->IndexCount >= SolidIndices && PoolCount <= SolidVertices && WritesNothing(PoolBounds())) continue;
        DrawIndexed(primitive->Indices, primitive->IndexCount);
    }
}

void TRender::DrawIndexed(const int16_t* indices, int32_t count) {
    const bool textured = (TexMaskU | TexMaskV) != 0;
    if (Lighting)
        textured ? DrawTriangles<true, true>(indices, count) : DrawTriangles<true, false>(indices, count);
    else
        textured ? DrawTriangles<false, true>(indices, count) : DrawTriangles<false, false>(indices, count);
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
    DrawIndexed(indices, 3);
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
    // Formed at once rather than by Add in turn, which measures slower here.
    const TBounds bounds{std::min({va.X, vb.X, vc.X}), std::max({va.X, vb.X, vc.X}), std::min({va.Y, vb.Y, vc.Y}),
                         std::max({va.Y, vb.Y, vc.Y}), std::min({va.Z, vb.Z, vc.Z})};
    // What the walks of a triangle that writes nothing would record is read by
    // no later triangle.
    if (WritesNothing(bounds)) return;
    const auto [top, bottom] = RowsOf(bounds, Height);

    Span::TRows rows{ColorBuffer, DepthBuffer, Width, top, bottom, nullptr, nullptr, nullptr};
    if constexpr (!Lit && !Textured) {
        uint64_t* ends = DepthEnds.data();  // each row's left end, then its right end
        for (int32_t row = top; row < bottom; ++row) {
            ends[2 * row] = DepthEndOf(NoLeftEdge, 0);
            ends[2 * row + 1] = DepthEndOf(NoRightEdge, 0);
        }
        TDepthEdge edges[3];
        DepthEdgesOf(va, vb, vc, edges);
        WalkDepthEdge(va, edges[0], ends, Height);
        WalkDepthEdge(vb, edges[1], ends, Height);
        WalkDepthEdge(vc, edges[2], ends, Height);
        rows.DepthEnds = ends;
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
        rows.Lefts = lefts;
        rows.Rights = rights;
    }
    Span::FillRows<Lit, Textured>(rows, tex, VectorSpans);
}
