// The vertex stage: transform, project and light every vertex of a primitive
// into the pool of screen vertices.
#include <cmath>

#include "FixedPoint.h"
#include "Render.h"
#include "Rounding.h"

namespace {

using FixedPoint::InLimit;

// Above this exponent the repeated product is replaced by pow(): the loop
// would take too long, and such a highlight is a single pixel anyway.
constexpr int32_t MaxRepeatedPower = 4096;

// r^n by repeated multiplication in double, rounded once; n <= 0 gives 1
// (no factor at all), also for r = 0.
float PowerOf(float r, int32_t n) {
    if (n <= 0) return 1.0f;
    const double base = r;
    if (n > MaxRepeatedPower) return static_cast<float>(std::pow(base, n));
    double product = base;
    for (int32_t k = 1; k < n && product != 0.0; ++k) product *= base;
    return static_cast<float>(product);
}

// nearest(x) plus an offset, if x is finite and the sum is inside the vertex
// limit.
bool ToFixed(double x, int64_t offset, int32_t& out) {
    if (!FitsInt32(x)) return false;
    const int64_t v = RoundToInt64(x) + offset;  // Nearest(x), which FitsInt32 makes exact
    if (!InLimit(v)) return false;
    out = static_cast<int32_t>(v);
    return true;
}

// nearest(x) shifted left by 16.
bool ToFixedIntensity(double x, int32_t& out) {
    if (!FitsInt32(x)) return false;
    const int64_t v = RoundToInt64(x) * FixedPoint::One;
    if (!InLimit(v)) return false;
    out = static_cast<int32_t>(v);
    return true;
}

struct TLight {
    float Diffuse;   // d
    float Specular;  // s
};

// Diffuse and specular factors of a transformed (not yet normalised) normal,
// with the light and the eye both along +z. A zero-length normal, and any
// NaN on the way, gives d = 0 and r = 0.
TLight LightOf(float nx, float ny, float nz, int32_t power) {
    const double lengthSquared = double{nx} * nx + double{ny} * ny + double{nz} * nz;
    float d = 0.0f;
    float r = 0.0f;
    if (lengthSquared > 0.0) {
        const double scale = 1.0 / std::sqrt(lengthSquared);
        const float ux = static_cast<float>(nx * scale);
        const float uy = static_cast<float>(ny * scale);
        const float uz = static_cast<float>(nz * scale);
        if (uz >= 0.0f) d = uz;
        const float rx = static_cast<float>(2.0 * d * ux);
        const float ry = static_cast<float>(2.0 * d * uy);
        const float rz = static_cast<float>(2.0 * d * uz - 1.0);
        const double rLengthSquared = double{rx} * rx + double{ry} * ry + double{rz} * rz;
        if (rLengthSquared > 0.0) {
            const float cosine = static_cast<float>(rz / std::sqrt(rLengthSquared));
            if (cosine >= 0.0f) r = cosine;
        }
    }
    return {d, PowerOf(r, power)};
}

// A level whose product with 255 and any factor in 0..1 rounds inside the
// limit: with it no intensity can refuse a vertex.
bool SafeLevel(float level) { return std::fabs(static_cast<double>(level)) * 255.0 <= 32766.0; }

}  // namespace

bool TRender::TransformVertices(const TObjectList& vertices) {
    if (!Transform(vertices, true)) return false;
    for (int32_t i = 0; i < PoolCount; ++i) {
        const TScreenVertex& v = Screen[static_cast<size_t>(i)];
        TLVertex& out = *PoolVertices[static_cast<size_t>(i)];
        out.X = v.X, out.Y = v.Y, out.Z = v.Z;
        out.DiffuseR = out.DiffuseG = out.DiffuseB = v.Diffuse;
        out.Specular = v.Specular;
        out.U = v.U, out.V = v.V;
    }
    return true;
}

// The diffuse and specular factors d and s lie in 0..1 (a NaN gives 0), so
// with safe levels the intensities can be left out when the spans do not
// read them: no vertex is refused for them either way.
bool TRender::Transform(const TObjectList& vertices, bool light) {
    const int32_t count = vertices.Count();
    if (count > MaxPrimitiveVertices || Screen.size() < MaxPrimitiveVertices) {
        PoolCount = 0;
        return false;
    }
    PoolCount = count;
    light = light || !SafeLevel(SpecularLevel) || !SafeLevel(DiffuseLevel);
    // The matrix in double once, not once per vertex: the same values.
    double m[16];
    for (size_t c = 0; c < 16; ++c) m[c] = Matrix.Current[c];
    // One row-vector product, summed left to right in double, rounded once.
    auto column = [&m](float x, float y, float z, int c) {
        return static_cast<float>(double{x} * m[c] + double{y} * m[4 + c] + double{z} * m[8 + c] + m[12 + c]);
    };
    const int64_t centreX = int64_t{Nearest(Width / 2.0)} * FixedPoint::One;
    const int64_t centreY = int64_t{Nearest(Height / 2.0)} * FixedPoint::One;
    const double texWidth = TexWidth, texHeight = TexHeight;

    for (int32_t i = 0; i < count; ++i) {
        const TVertex* v = vertices.GetAs<TVertex>(i);
        TScreenVertex& out = Screen[static_cast<size_t>(i)];
        if (!v) {
            out.Valid = false;
            continue;
        }
        bool ok = true;
        if (light) {
            // The translation row is added to the normal too, as to a position.
            const float nx = column(v->NX, v->NY, v->NZ, 0);
            const float ny = column(v->NX, v->NY, v->NZ, 1);
            const float nz = column(v->NX, v->NY, v->NZ, 2);
            const TLight lit = LightOf(nx, ny, nz, SpecularPower);
            ok = ToFixedIntensity(255.0 * lit.Specular * SpecularLevel, out.Specular);
            ok = ToFixedIntensity(255.0 * lit.Diffuse * DiffuseLevel, out.Diffuse) && ok;
        }
        const float px = column(v->X, v->Y, v->Z, 0);
        const float py = column(v->X, v->Y, v->Z, 1);
        const float pz = column(v->X, v->Y, v->Z, 2);
        ok = ToFixed(double{px} * 65535.0, centreX, out.X) && ok;
        ok = ToFixed(-double{py} * 65535.0, centreY, out.Y) && ok;
        ok = ToFixed(double{pz} * 65535.0, 0, out.Z) && ok;
        ok = ToFixed(texWidth * v->U * 65535.0, 0, out.U) && ok;
        ok = ToFixed(texHeight * v->V * 65535.0, 0, out.V) && ok;
        out.Valid = ok;
    }
    return true;
}
