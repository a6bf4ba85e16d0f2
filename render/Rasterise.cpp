// Triangle set-up, edge walking and span filling in 16.16 fixed point.
// Differences and running values are held in 64 bits: two in-range values
// can differ by nearly 2^32, and a step is added once more after the last
// point of a walk.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "FixedPoint.h"
#include "Render.h"

namespace {

using FixedPoint::IntPart;
using FixedPoint::NearestStep;

constexpr int32_t NoLeftEdge = std::numeric_limits<int32_t>::max();
constexpr int32_t NoRightEdge = std::numeric_limits<int32_t>::min();

bool IsPowerOfTwo(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

// A texture the wrapped addressing can read without leaving its pixels.
bool IsUsable(const TTexture& texture) {
    return texture.Pixels && IsPowerOfTwo(texture.Width) && IsPowerOfTwo(texture.Height) &&
           texture.Shift >= 0 && texture.Shift < 31 && (int32_t{1} << texture.Shift) == texture.Width;
}

// The nine walked values of a screen vertex.
struct TEdgePoint {
    int64_t X, Y, Z, R, G, B, U, V, S;

    static TEdgePoint Of(const TLVertex& v) {
        return {v.X, v.Y, v.Z, v.DiffuseR, v.DiffuseG, v.DiffuseB, v.U, v.V, v.Specular};
    }
    static TEdgePoint Step(const TLVertex& p, const TLVertex& q, int64_t n) {
        auto step = [n](int32_t from, int32_t to) { return NearestStep(int64_t{to} - from, n); };
        return {step(p.X, q.X),               step(p.Y, q.Y),               step(p.Z, q.Z),
                step(p.DiffuseR, q.DiffuseR), step(p.DiffuseG, q.DiffuseG), step(p.DiffuseB, q.DiffuseB),
                step(p.U, q.U),               step(p.V, q.V),               step(p.Specular, q.Specular)};
    }
    void Advance(const TEdgePoint& d) {
        X += d.X; Y += d.Y; Z += d.Z;
        R += d.R; G += d.G; B += d.B;
        U += d.U; V += d.V; S += d.S;
    }
    // Vertex values inside the limit keep every recorded value inside int32.
    void RecordInto(TScanLine& line, int32_t column) const {
        line.X = column;
        line.Z = static_cast<int32_t>(Z);
        line.DiffuseR = static_cast<int32_t>(R);
        line.DiffuseG = static_cast<int32_t>(G);
        line.DiffuseB = static_cast<int32_t>(B);
        line.U = static_cast<int32_t>(U);
        line.V = static_cast<int32_t>(V);
        line.Specular = static_cast<int32_t>(S);
    }
};

// The span of one row clipped to the frame, with the interpolants' steps and
// their values at the first visible column.
struct TSpan {
    int64_t First{}, Last{};
    int64_t dZ{}, dR{}, dG{}, dB{}, dU{}, dV{}, dS{};
    int64_t Z{}, R{}, G{}, B{}, U{}, V{}, S{};
};

// False when the row received no edge point or lies wholly outside the frame.
// Jumping to the first visible column by multiplication gives exactly the
// values that stepping across the hidden columns would.
bool SpanOf(const TScanLine& left, const TScanLine& right, int32_t width, bool lit, TSpan& span) {
    if (left.X == NoLeftEdge || right.X < left.X) return false;
    span.First = std::max<int64_t>(left.X, 0);
    span.Last = std::min<int64_t>(right.X, int64_t{width} - 1);
    if (span.First > span.Last) return false;
    const int64_t w = int64_t{right.X} - left.X + 1;
    const int64_t skip = span.First - left.X;
    auto start = [&](int32_t from, int32_t to, int64_t& step, int64_t& value) {
        step = NearestStep(int64_t{to} - from, w);
        value = from + skip * step;
    };
    start(left.Z, right.Z, span.dZ, span.Z);
    start(left.U, right.U, span.dU, span.U);
    start(left.V, right.V, span.dV, span.V);
    if (lit) {
        start(left.DiffuseR, right.DiffuseR, span.dR, span.R);
        start(left.DiffuseG, right.DiffuseG, span.dG, span.G);
        start(left.DiffuseB, right.DiffuseB, span.dB, span.B);
        start(left.Specular, right.Specular, span.dS, span.S);
    }
    return true;
}

// ((intensity x texel channel) >> 8) + specular, limited to 0..255. Rounding
// drift along a long edge can take an intensity a hair below zero; a negative
// channel would otherwise spill into its neighbours' bits.
uint32_t LitChannel(int64_t intensity, uint32_t channel, int64_t specular) {
    const int64_t value = ((IntPart(intensity) * channel) >> 8) + IntPart(specular);
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 255));
}

}  // namespace

void TRender::DrawList(const TObjectList& primitives) {
    if (!ColorBuffer || PoolVertices.empty()) return;
    for (int32_t i = 0; i < primitives.Count(); ++i) {
        const TPrimitive* primitive = primitives.GetAs<TPrimitive>(i);
        if (!primitive || primitive->Color == NotDrawnColor) continue;
        SetMaterial(*primitive);
        if (!SetTexture(primitive->Texture)) continue;
        if (!TransformVertices(primitive->Vertices) || !primitive->Indices) continue;
        const int16_t* indices = primitive->Indices;
        for (int32_t j = 0; j + 2 < primitive->IndexCount; j += 3)
            DrawTriangle(indices[j], indices[j + 1], indices[j + 2]);
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
    for (const int32_t index : {a, b, c}) {
        if (index < 0 || index >= PoolCount || !PoolValid[static_cast<size_t>(index)]) return;
    }
    const TLVertex& va = *PoolVertices[static_cast<size_t>(a)];
    const TLVertex& vb = *PoolVertices[static_cast<size_t>(b)];
    const TLVertex& vc = *PoolVertices[static_cast<size_t>(c)];

    if (CullBackFaces) {
        // 24.8 edge vectors; a positive area runs clockwise on the screen.
        const int64_t e1x = (int64_t{vb.X} - va.X) >> 8, e1y = (int64_t{vb.Y} - va.Y) >> 8;
        const int64_t e2x = (int64_t{vc.X} - va.X) >> 8, e2y = (int64_t{vc.Y} - va.Y) >> 8;
        if (e1x * e2y - e2x * e1y <= 0) return;
    }

    const int32_t top = std::max(0, std::min({va.Y, vb.Y, vc.Y}) >> 16);
    const int32_t bottom = std::min(Height, std::max({va.Y, vb.Y, vc.Y}) >> 16);
    if (bottom <= top) return;
    for (int32_t row = top; row < bottom; ++row) {
        LeftRows[static_cast<size_t>(row)]->X = NoLeftEdge;
        RightRows[static_cast<size_t>(row)]->X = NoRightEdge;
    }
    WalkEdge(va, vb);
    WalkEdge(vb, vc);
    WalkEdge(vc, va);
    for (int32_t row = top; row < bottom; ++row) {
        if (Lighting)
            FillLit(row);
        else
            FillUnlit(row);
    }
}

// Samples the edge at p and at n - 1 further points short of q, one per row
// crossed; q is the start of the next edge.
void TRender::WalkEdge(const TLVertex& p, const TLVertex& q) {
    const int64_t n = std::abs(IntPart(q.Y) - IntPart(p.Y)) + 1;
    const TEdgePoint step = TEdgePoint::Step(p, q, n);
    TEdgePoint point = TEdgePoint::Of(p);
    for (int64_t k = 0; k < n; ++k, point.Advance(step)) {
        const int64_t row = IntPart(point.Y);
        if (row < 0 || row >= Height) continue;
        const auto column = static_cast<int32_t>(IntPart(point.X));
        TScanLine& left = *LeftRows[static_cast<size_t>(row)];
        TScanLine& right = *RightRows[static_cast<size_t>(row)];
        if (column < left.X) point.RecordInto(left, column);
        if (column > right.X) point.RecordInto(right, column);
    }
}

void TRender::FillUnlit(int32_t y) {
    TSpan s;
    if (!SpanOf(*LeftRows[static_cast<size_t>(y)], *RightRows[static_cast<size_t>(y)], Width, false, s)) return;
    const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(Width);
    uint32_t* color = ColorBuffer + rowStart;
    int32_t* depth = DepthBuffer + rowStart;
    const uint32_t* texels = Texels;
    const int64_t maskU = TexMaskU, maskV = TexMaskV;
    const int shift = TexShift;
    for (int64_t x = s.First; x <= s.Last; ++x, s.Z += s.dZ, s.U += s.dU, s.V += s.dV) {
        if (s.Z >= depth[x]) continue;
        const uint32_t t = texels[(((s.V >> 16) & maskV) << shift) + ((s.U >> 16) & maskU)];
        if ((t >> 24) == 0) color[x] = t;
        depth[x] = static_cast<int32_t>(s.Z);
    }
}

void TRender::FillLit(int32_t y) {
    TSpan s;
    if (!SpanOf(*LeftRows[static_cast<size_t>(y)], *RightRows[static_cast<size_t>(y)], Width, true, s)) return;
    const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(Width);
    uint32_t* color = ColorBuffer + rowStart;
    int32_t* depth = DepthBuffer + rowStart;
    const uint32_t* texels = Texels;
    const int64_t maskU = TexMaskU, maskV = TexMaskV;
    const int shift = TexShift;
    for (int64_t x = s.First; x <= s.Last; ++x) {
        if (s.Z < depth[x]) {
            const uint32_t t = texels[(((s.V >> 16) & maskV) << shift) + ((s.U >> 16) & maskU)];
            if ((t >> 24) == 0) {
                const uint32_t red = LitChannel(s.R, (t >> 16) & 0xFF, s.S);
                const uint32_t green = LitChannel(s.G, (t >> 8) & 0xFF, s.S);
                const uint32_t blue = LitChannel(s.B, t & 0xFF, s.S);
                color[x] = 0xFF000000u | (red << 16) | (green << 8) | blue;
            }
            depth[x] = static_cast<int32_t>(s.Z);
        }
        s.Z += s.dZ; s.R += s.dR; s.G += s.dG; s.B += s.dB;
        s.U += s.dU; s.V += s.dV; s.S += s.dS;
    }
}
