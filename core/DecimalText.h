#pragma once
// Decimal text to binary floating point without the C library's locale or
// its floating-point from_chars, which not every standard library has.
#include <optional>
#include <string_view>

// The double nearest to a plain decimal: an optional "-", digits, and
// optionally "." followed by digits. Ties go to even, as the correctly
// rounded conversions of the standard library do. Empty for any other text.
std::optional<double> PlainDecimalToDouble(std::string_view text);
