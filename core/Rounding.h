#pragma once
// Float-to-integer conversion of the whole program: nearest, ties to even.
#include <cmath>
#include <cstdint>
#include <limits>

// Saturates to the int32 range; a NaN gives 0 (a plain cast would be
// undefined for both, and would truncate instead of rounding).
inline int32_t Nearest(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);  // default rounding mode: ties to even
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// True when Nearest(x) is exact, i.e. x is finite and inside the int32 range.
inline bool FitsInt32(double x) {
    return std::isfinite(x) && x > -2147483648.5 && x < 2147483647.5;
}
