#include "Textures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "ColorMath.h"
#include "Scene.h"

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

void Fill(uint32_t* pixels, int32_t size, uint32_t value) {
    std::fill_n(pixels, static_cast<size_t>(size) * static_cast<size_t>(size), value);
}

// Both scratch lists are cleared before every gradient and after the last.
void ClearScratch(TScene& scene) {
    scene.ScratchListA.Clear();
    scene.ScratchListB.Clear();
}

bool Gradient(TScene& scene, uint32_t from, uint32_t to, int32_t n) {
    ClearScratch(scene);
    scene.ScratchListA.Add(static_cast<int32_t>(from));
    scene.ScratchListA.Add(static_cast<int32_t>(to));
    return MakeGradient(scene.ScratchListA, scene.ScratchListB, n);
}

// Converts COLORREF gradient entry j of ScratchListB to a Pixel.
uint32_t ResultPixel(const TScene& scene, int32_t j) {
    return BytesToPixel(ColorToBytes(static_cast<uint32_t>(scene.ScratchListB.Get(j))));
}

int32_t RoundToInt(long double x) { return static_cast<int32_t>(nearbyintl(x)); }

// Where one painted texel of the hue circle sits in HSV. Hue and saturation
// do not depend on the value level; the texel's colour is then picked from
// the value level's tables (THueCircleLevel) by its sector.
struct THueCircleTexel {
    uint32_t Index;
    uint8_t Sector;      // hue / 60, with hue 360 taken as 0
    uint8_t Fraction;    // hue % 60
    uint8_t Saturation;  // 0..255
};

std::vector<THueCircleTexel> ComputeHueCircleGeometry(int32_t size) {
    std::vector<THueCircleTexel> texels;
    const int32_t r = size / 2;
    // The last row and the first column keep the background.
    for (int32_t j = 0; j <= size - 2; ++j) {
        const int32_t dy = (size - 1) - j - r;  // positive towards row 0
        for (int32_t i = 1; i <= size - 1; ++i) {
            const int32_t dx = i - r;
            const int32_t d2 = dx * dx + dy * dy;
            if (d2 > r * r) continue;
            const int32_t saturation = ClampByte(static_cast<int32_t>(std::nearbyint(std::sqrt(static_cast<double>(d2)) * 255.0 / r)));
            int32_t hue = RoundToInt((ArcTan2(dx, dy) / Pi + 1.0L) * 180.0L) + 90;
            if (hue > 360) hue -= 360;
            hue = NormalizeHue(hue) % 360;
            texels.push_back({static_cast<uint32_t>(j * size + i), static_cast<uint8_t>(hue / 60),
                              static_cast<uint8_t>(hue % 60), static_cast<uint8_t>(saturation)});
        }
    }
    return texels;
}

// The square root and arc tangent per texel dominate the build, and only the
// value level changes between rebuilds: the geometry is computed once per size.
const std::vector<THueCircleTexel>& HueCircleGeometry(int32_t size) {
    static int32_t cachedSize = -1;
    static std::vector<THueCircleTexel> cached;
    if (size != cachedSize) {
        cached = ComputeHueCircleGeometry(size);
        cachedSize = size;
    }
    return cached;
}

// The terms of the integer HSV conversion (HsvToPixel) for one value level v,
// per saturation s and hue fraction f: p = v - v s / 255 and
// v - (v s f) / 15300, which is q for f and t for 60 - f. With s = 0 all
// terms are v, the grey of the conversion's own special case.
class THueCircleLevel {
public:
    explicit THueCircleLevel(int32_t v) : Value(static_cast<uint32_t>(v)) {
        for (int32_t s = 0; s < 256; ++s) {
            const int32_t vs = v * s;
            P[static_cast<size_t>(s)] = static_cast<uint8_t>(v - vs / 255);
            for (int32_t f = 0; f <= 60; ++f) Q[static_cast<size_t>(s)][static_cast<size_t>(f)] = static_cast<uint8_t>(v - (vs * f) / 15300);
        }
    }

    // The conversion's sectors as weights of v, p, q and t: red, green and
    // blue are (v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v),
    // (v, p, q). Sums of weighted bytes, without a branch per texel.
    uint32_t PixelOf(const THueCircleTexel& texel) const {
        static constexpr uint32_t R = 1u << 16, G = 1u << 8, B = 1u;
        static constexpr std::array<std::array<uint32_t, 4>, 6> Weights{{
            {R, B, 0, G}, {G, B, R, 0}, {G, R, 0, B}, {B, R, G, 0}, {B, G, 0, R}, {R, G, B, 0},
        }};
        const auto& w = Weights[texel.Sector];
        const auto& row = Q[texel.Saturation];
        return Value * w[0] + P[texel.Saturation] * w[1] + row[texel.Fraction] * w[2] + row[60 - texel.Fraction] * w[3];
    }

private:
    uint32_t Value;
    std::array<uint8_t, 256> P{};
    std::array<std::array<uint8_t, 61>, 256> Q{};
};

}  // namespace

void FillColumn(uint32_t* pixels, int32_t size, uint32_t top, uint32_t bottom, int32_t column, int32_t count) {
    if (!pixels || column < 0 || column >= size) return;
    count = std::min(count, size);
    TColorRamp ramp(count, top, bottom);
    for (int32_t i = 0; i < count; ++i) {
        pixels[static_cast<size_t>(i) * static_cast<size_t>(size) + static_cast<size_t>(column)] = ramp.Next();
    }
}

void BuildHueCircle(TScene& scene, uint32_t* pixels, int32_t size, int32_t value, uint32_t background) {
    if (!pixels || size < 2) return;
    scene.SceneReady = false;
    Fill(pixels, size, BytesToPixel(ColorToBytes(background)) | HueCircleBackgroundFlag);
    const THueCircleLevel level(ClampByte(value));
    for (const THueCircleTexel& texel : HueCircleGeometry(size)) pixels[texel.Index] = level.PixelOf(texel);
    scene.SceneReady = true;
}

void BuildHuePlane(TScene& scene, uint32_t* pixels, int32_t size, int32_t hue) {
    if (!pixels || size < 1) return;
    Fill(pixels, size, 0x000000);
    if (Gradient(scene, 0xFFFFFF, BytesToColor(HsvToBytes(hue, 255, 255)), size)) {
        for (int32_t j = 0; j < size; ++j) {
            const uint32_t top = ResultPixel(scene, j);
            pixels[j] = top;
            FillColumn(pixels, size, top, 0x000000, j, size);
        }
    }
    ClearScratch(scene);
}

void BuildCubeFace(TScene& scene, uint32_t* pixels, int32_t size, int32_t face) {
    if (!pixels || size < 1) return;
    Fill(pixels, size, 0xFFFFFF);
    if (face < 0 || face >= static_cast<int32_t>(CubeCornerColors.size())) return;
    const auto& corners = CubeCornerColors[static_cast<size_t>(face)];
    uint32_t* lastRow = pixels + static_cast<size_t>(size - 1) * static_cast<size_t>(size);
    if (Gradient(scene, corners[0], corners[1], size)) {
        for (int32_t k = 0; k < size; ++k) pixels[k] = ResultPixel(scene, k);
        if (Gradient(scene, corners[2], corners[3], size)) {
            for (int32_t k = 0; k < size; ++k) lastRow[k] = ResultPixel(scene, k);
        }
        // Rows 0 .. size-2 run from the top to the bottom colour; the last row
        // repeats the bottom colour.
        for (int32_t k = 0; k < size; ++k) FillColumn(pixels, size, pixels[k], lastRow[k], k, size - 1);
    }
    ClearScratch(scene);
}
