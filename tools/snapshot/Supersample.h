#pragma once
// Supersampling: an n x n block of samples averaged into one output pixel.
#include <cstdint>

// Averages each n x n block of `samples` (width * n by height * n pixels,
// 0x??RRGGBB, row 0 at the top) into one pixel of `out` (width by height).
// The channels are averaged in linear light: sRGB codes are decoded, averaged
// and encoded again, so that an edge pixel half covered by a bright solid
// shows half its light, not half its code. A block of one colour keeps that
// colour exactly. The top byte of each pixel is that of its block's first
// sample.
void AverageBlocks(const uint32_t* samples, int32_t width, int32_t height, int32_t n, uint32_t* out);
