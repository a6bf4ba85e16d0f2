#include "Supersample.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Linear light in 0..65535 for each sRGB code, and the midpoints between
// neighbouring codes, so that encoding picks the nearest code.
struct TLinearTables {
    std::array<uint32_t, 256> Linear{};
    std::array<uint32_t, 255> Midpoint{};

    TLinearTables() {
        for (int c = 0; c < 256; ++c) {
            const double s = c / 255.0;
            const double l = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            Linear[static_cast<size_t>(c)] = static_cast<uint32_t>(std::lround(l * 65535));
        }
        for (size_t c = 0; c < Midpoint.size(); ++c) Midpoint[c] = (Linear[c] + Linear[c + 1] + 1) / 2;
    }
    uint32_t Encode(uint32_t linear) const {
        return static_cast<uint32_t>(std::upper_bound(Midpoint.begin(), Midpoint.end(), linear) - Midpoint.begin());
    }
};

const TLinearTables& Tables() {
    static const TLinearTables tables;
    return tables;
}

}  // namespace

void AverageBlocks(const uint32_t* samples, int32_t width, int32_t height, int32_t n, uint32_t* out) {
    const TLinearTables& t = Tables();
    const size_t sampleWidth = static_cast<size_t>(width) * static_cast<size_t>(n);
    const uint32_t count = static_cast<uint32_t>(n * n);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t* block = samples + static_cast<size_t>(y) * static_cast<size_t>(n) * sampleWidth +
                                    static_cast<size_t>(x) * static_cast<size_t>(n);
            std::array<uint32_t, 3> sum{};
            for (int32_t dy = 0; dy < n; ++dy) {
                for (int32_t dx = 0; dx < n; ++dx) {
                    const uint32_t p = block[static_cast<size_t>(dy) * sampleWidth + static_cast<size_t>(dx)];
                    for (size_t k = 0; k < 3; ++k) sum[k] += t.Linear[(p >> (16 - 8 * k)) & 0xFF];
                }
            }
            uint32_t pixel = block[0] & 0xFF000000;
            for (size_t k = 0; k < 3; ++k) pixel |= t.Encode((sum[k] + count / 2) / count) << (16 - 8 * k);
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = pixel;
        }
    }
}
