#pragma once
// Integer colour maths of the colour solids: hue wrapping, clamping, the
// program's integer HSV conversion, the exchange between the COLORREF layout
// (0x00BBGGRR) and the Pixel layout (0x00RRGGBB), and linear gradients.
#include <array>
#include <cstdint>

#include "IntegerList.h"

// Three bytes in memory order B, G, R: the first three bytes of a Pixel.
using TByteTriple = std::array<uint8_t, 3>;

// a itself when 0 <= a <= b or |a| = b, else the remainder of a truncating
// division (the sign of a). b must be positive.
int32_t IntMod(int32_t a, int32_t b);
// Degrees into 0..360; 360 itself stays 360.
int32_t NormalizeHue(int32_t h);
int32_t ClampByte(int32_t i);
// Nearest with ties to even, then clamped to 0..255 (NaN gives 0).
uint8_t RoundByte(double x);
// The floor, saturated to the int32 range (NaN gives 0).
int32_t FloorInt(long double x);
// The angle of the point (x, y); y is the first argument.
long double ArcTan2(long double y, long double x);

// Bits 16..23, 8..15, 0..7 into bytes 0, 1, 2.
TByteTriple ColorToBytes(uint32_t c);
// b[2] + b[1] * 256 + b[0] * 65536.
uint32_t BytesToColor(const TByteTriple& b);
// The Pixel (flag byte 0) whose memory bytes are b.
constexpr uint32_t BytesToPixel(const TByteTriple& b) {
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16;
}

uint32_t HsvToPixel(int32_t h, int32_t s, int32_t v);
TByteTriple HsvToBytes(int32_t h, int32_t s, int32_t v);

// n colours from `from` to `to` inclusive, channel by channel, each channel
// rounded to nearest with ties to even; the flag byte is 0. A ramp of one
// entry is `from` alone.
class TColorRamp {
public:
    TColorRamp(int32_t n, uint32_t from, uint32_t to);
    uint32_t Next();  // call at most n times

private:
    std::array<double, 3> Value{};
    std::array<double, 3> Step{};
};

// Appends the n colours of the ramp from `from` to `to`; n <= 0 appends
// nothing.
void AddRamp(int32_t n, TIntegerList& list, uint32_t from, uint32_t to);
// Appends n colours through every stop in order; false, appending nothing,
// with fewer than two stops or more stops than entries.
bool MakeGradient(const TIntegerList& stops, TIntegerList& out, int32_t n);
