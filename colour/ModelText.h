#pragma once
// The model text format: records of a name line, a header line, an index line
// and vertex lines, each closed by a line "-", fields separated by TAB. The
// parser turns a text into TPrimitives, generating the textures that a record's
// name selects.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ObjectList.h"
#include "Primitive.h"

class TScene;

// Names that select a generated texture; FindTextureName returns the index.
inline constexpr std::array<std::string_view, 8> TextureNames{
    "hsvCircle", "hsvPlane", "CubeFront", "CubeRight", "CubeBack", "CubeLeft", "CubeTop", "CubeBottom"};

// Largest IndexCount a header may give (the program's models use at most 36).
inline constexpr int32_t MaxModelIndexCount = 65535;

// The outcome of ParseModelText. A text that breaks the format appends nothing:
// Line (1-based) and Message name the first fault.
struct TModelParseResult {
    bool Ok = true;
    int32_t Line = 0;
    std::string Message;
    int32_t Added = 0;  // primitives appended to the list
};

// Appends the primitives of one text to `list`; all of them or none. The text
// ends at its first zero byte.
TModelParseResult ParseModelText(TScene& scene, std::string_view text, TObjectList& list);

// Index in TextureNames regardless of letter case, or -1.
int32_t FindTextureName(std::string_view name);

// Gives `primitive` a new size x size texture named `name`; its pixels are
// left for the generator to fill.
TTexture* AttachTexture(TPrimitive& primitive, std::string_view name, int32_t size);

// A decimal 32-bit integer with an optional leading "-"; surrounding spaces
// are skipped. Empty when the field is not such a number or out of range.
std::optional<int32_t> ParseInt(std::string_view field);
// A decimal with an optional leading "-" and an optional fraction after "."
// (whatever the locale), rounded to single precision; surrounding spaces are
// skipped. Empty when malformed or beyond the single range.
std::optional<float> ParseFloat(std::string_view field);
