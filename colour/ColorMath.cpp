#include "ColorMath.h"

#include <cmath>
#include <cstdlib>

#include "Rounding.h"

int32_t IntMod(int32_t a, int32_t b) {
    if (b <= 0) return a;
    const int64_t magnitude = std::llabs(static_cast<int64_t>(a));
    if ((a >= 0 && a <= b) || magnitude == b) return a;
    return a % b;  // C++ division truncates towards zero
}

int32_t NormalizeHue(int32_t h) {
    const int32_t r = IntMod(h, 360);
    return r < 0 ? r + 360 : r;
}

int32_t ClampByte(int32_t i) { return i < 0 ? 0 : (i > 255 ? 255 : i); }

uint8_t RoundByte(double x) {
    if (!(x > -1.0)) return 0;  // a NaN too
    if (x > 255.0) return 255;
    const int64_t r = RoundToInt64(x);
    return r <= 0 ? 0 : static_cast<uint8_t>(r);
}

int32_t FloorInt(long double x) {
    if (std::isnan(x)) return 0;
    const long double f = floorl(x);
    if (f >= 2147483647.0L) return INT32_MAX;
    if (f <= -2147483648.0L) return INT32_MIN;
    return static_cast<int32_t>(f);
}

long double ArcTan2(long double y, long double x) { return atan2l(y, x); }

TByteTriple ColorToBytes(uint32_t c) {
    return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}

uint32_t BytesToColor(const TByteTriple& b) {
    return static_cast<uint32_t>(b[2]) + static_cast<uint32_t>(b[1]) * 256u + static_cast<uint32_t>(b[0]) * 65536u;
}

namespace {

struct TRgb {
    int32_t R, G, B;
};

TRgb HsvToRgb(int32_t h, int32_t s, int32_t v) {
    h = NormalizeHue(h);
    s = ClampByte(s);
    v = ClampByte(v);
    if (s == 0) return {v, v, v};
    if (h == 360) h = 0;
    const int32_t sector = h / 60;
    const int32_t f = h % 60;
    const int32_t vs = v * s;
    const int32_t p = v - vs / 255;
    const int32_t q = v - (vs * f) / 15300;  // 15300 = 60 * 255
    const int32_t t = v - (vs * (60 - f)) / 15300;
    switch (sector) {
        case 0: return {v, t, p};
        case 1: return {q, v, p};
        case 2: return {p, v, t};
        case 3: return {p, q, v};
        case 4: return {t, p, v};
        default: return {v, p, q};
    }
}

}  // namespace

uint32_t HsvToPixel(int32_t h, int32_t s, int32_t v) {
    const TRgb c = HsvToRgb(h, s, v);
    return static_cast<uint32_t>(c.R * 65536 + c.G * 256 + c.B);
}

TByteTriple HsvToBytes(int32_t h, int32_t s, int32_t v) {
    const TRgb c = HsvToRgb(h, s, v);
    return {static_cast<uint8_t>(c.B), static_cast<uint8_t>(c.G), static_cast<uint8_t>(c.R)};
}

TColorRamp::TColorRamp(int32_t n, uint32_t from, uint32_t to) {
    for (size_t c = 0; c < 3; ++c) {
        const int32_t a = static_cast<int32_t>((from >> (8 * c)) & 0xFF);
        const int32_t b = static_cast<int32_t>((to >> (8 * c)) & 0xFF);
        Value[c] = a;
        // The quotient is formed in extended precision and stored as a double.
        Step[c] = n > 1 ? static_cast<double>(static_cast<long double>(b - a) / static_cast<long double>(n - 1)) : 0.0;
    }
}

uint32_t TColorRamp::Next() {
    uint32_t colour = 0;
    for (size_t c = 0; c < 3; ++c) {
        colour |= static_cast<uint32_t>(RoundByte(Value[c])) << (8 * c);
        Value[c] += Step[c];
    }
    return colour;
}

void AddRamp(int32_t n, TIntegerList& list, uint32_t from, uint32_t to) {
    TColorRamp ramp(n, from, to);
    for (int32_t k = 0; k < n; ++k) list.Add(static_cast<int32_t>(ramp.Next()));
}

bool MakeGradient(const TIntegerList& stops, TIntegerList& out, int32_t n) {
    const int32_t k = stops.Count();
    if (k < 2 || k > n) return false;
    const auto stop = [&](int32_t i) { return static_cast<uint32_t>(stops.Get(i)); };
    if (k == 2) {
        AddRamp(n, out, stop(0), stop(1));
        return true;
    }
    const int32_t seg = FloorInt(static_cast<long double>(n) / (k - 1));
    const int32_t rem = n - seg * (k - 1);
    for (int32_t i = 0; i <= k - 2; ++i) {
        const bool last = i == k - 2;
        int32_t length;
        if (rem == 0) {
            length = last ? seg : seg + 1;
        } else {
            length = i < rem - 1 ? seg + 2 : seg + 1;
        }
        AddRamp(length, out, stop(i), stop(i + 1));
        // The next segment starts with the same colour.
        if (!last) out.Delete(out.Count() - 1);
    }
    return true;
}
