#pragma once
// 16.16 helpers shared by the vertex stage and the rasteriser.
#include <cstdint>

#include "Rounding.h"

namespace FixedPoint {

inline constexpr int32_t One = 65536;

// The largest magnitude a vertex value may have: 32766 in its integer part.
// Walking an edge or a span from such values drifts by at most half a unit
// per step (the steps are rounded), and no walk has 65536 steps, so every
// value an edge or span records stays inside int32.
inline constexpr int64_t Limit = int64_t{32766} * One;

inline bool InLimit(int64_t v) { return v >= -Limit && v <= Limit; }

// The integer part (floor) of a 16.16 value.
inline int64_t IntPart(int64_t v) { return v >> 16; }

// nearest() of a quotient of a difference of 32-bit values by a positive
// count: always finite and at most 2^32 in magnitude, so it needs no
// saturation, only a 64-bit result.
inline int64_t NearestStep(int64_t difference, int64_t count) {
    return RoundToInt64(static_cast<double>(difference) / static_cast<double>(count));
}

}  // namespace FixedPoint
