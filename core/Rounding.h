#pragma once
// Float-to-integer conversion of the whole program: nearest, ties to even.
#include <cmath>
#include <cstdint>
#include <limits>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// The nearest integer to x with ties to even, for |x| < 2^63. The hardware
// conversion rounds in the current rounding mode, as nearbyint does; the
// program never leaves the default mode (to nearest, ties to even).
inline int64_t RoundToInt64(double x) {
#if defined(__SSE2__) || defined(_M_X64)
    return _mm_cvtsd_si64(_mm_set_sd(x));
#else
    return static_cast<int64_t>(std::nearbyint(x));
#endif
}

// Saturates to the int32 range; a NaN gives 0 (a plain cast would be
// undefined for both, and would truncate instead of rounding).
inline int32_t Nearest(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(RoundToInt64(x));
}

// True when Nearest(x) is exact, i.e. x is finite and inside the int32 range.
// (Comparisons with a NaN are false; infinities fail the range.)
inline bool FitsInt32(double x) { return x > -2147483648.5 && x < 2147483647.5; }
