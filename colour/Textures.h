#pragma once
// The computed textures: the hue circle, the hue plane and the six faces of
// the RGB cube. Textures are square, size x size Pixel values, row 0 first.
#include <array>
#include <cstdint>

class TScene;

// Corner colours (COLORREF) of each cube face: top-left, top-right,
// bottom-left, bottom-right of its texture.
inline constexpr std::array<std::array<uint32_t, 4>, 6> CubeCornerColors{{
    {0x00FF00, 0x00FFFF, 0x000000, 0x0000FF},  // CubeFront
    {0x00FFFF, 0xFFFFFF, 0x0000FF, 0xFF00FF},  // CubeRight
    {0xFFFFFF, 0xFFFF00, 0xFF00FF, 0xFF0000},  // CubeBack
    {0xFFFF00, 0x00FF00, 0xFF0000, 0x000000},  // CubeLeft
    {0x00FFFF, 0x00FF00, 0xFFFFFF, 0xFFFF00},  // CubeTop
    {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF},  // CubeBottom
}};

// Texels outside the hue circle carry this flag: the rasteriser leaves them
// out but they still write depth.
inline constexpr uint32_t HueCircleBackgroundFlag = 0x01000000;

// Hue around the rim, saturation outwards, for one HSV value level; the
// background is a COLORREF. Clears SceneReady while it runs.
void BuildHueCircle(TScene& scene, uint32_t* pixels, int32_t size, int32_t value, uint32_t background);
// White to the pure hue across row 0, each column fading to black.
void BuildHuePlane(TScene& scene, uint32_t* pixels, int32_t size, int32_t hue);
// Bilinear-style face from the row `face` (0..5) of CubeCornerColors.
void BuildCubeFace(TScene& scene, uint32_t* pixels, int32_t size, int32_t face);
// Writes `count` pixels of one column, row 0 downwards, from top to bottom
// (Pixels); a count of 1 writes top alone.
void FillColumn(uint32_t* pixels, int32_t size, uint32_t top, uint32_t bottom, int32_t column, int32_t count);
