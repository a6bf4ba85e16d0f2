#pragma once
// The colour tables of the Munsell tree: the neutral axis and, for ten hue
// pages, ten value rows of up to eight chroma chips (Pixel values).
#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int32_t MunsellPages = 10;
inline constexpr int32_t MunsellChipRows = 10;
inline constexpr int32_t MunsellChroma = 8;

// A chip that does not exist; a cell painted with it is hidden.
inline constexpr uint32_t NoChip = 0xFFFFFFFF;

// Page-major, then row (0 = lightest), then chroma column 1..8 at 0..7.
using TMunsellChipTable = std::array<uint32_t, MunsellPages * MunsellChipRows * MunsellChroma>;
static_assert(std::tuple_size_v<TMunsellChipTable> == 800);
extern const TMunsellChipTable MunsellChips;

constexpr size_t MunsellChipIndex(int32_t page, int32_t row, int32_t chroma) {
    return static_cast<size_t>((page * MunsellChipRows + row) * MunsellChroma + chroma);
}

inline constexpr std::array<uint32_t, MunsellChipRows> MunsellGreys{
    0xFFFFFF, 0xE5E5E5, 0xCCCCCC, 0xB2B2B2, 0x999999, 0x7F7F7F, 0x666666, 0x4C4C4C, 0x333333, 0x191919};
