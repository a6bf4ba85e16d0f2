#include "ModelText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "DecimalText.h"
#include "NameCompare.h"
#include "RenderHeap.h"
#include "Scene.h"
#include "Textures.h"
#include "Vertex.h"

namespace {

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The separator is CR LF when the text holds both CR and LF anywhere, else
// whichever of the two it holds; empty when it holds neither.
std::string_view DetectSeparator(std::string_view text) {
    const bool cr = text.find('\r') != std::string_view::npos;
    const bool lf = text.find('\n') != std::string_view::npos;
    if (cr && lf) return "\r\n";
    if (cr) return "\r";
    if (lf) return "\n";
    return {};
}

// Field j of a TAB-separated line, walked front to back.
class TFieldCursor {
public:
    explicit TFieldCursor(std::string_view line) : Rest(line) {}
    bool Next(std::string_view& field) {
        if (Done) return false;
        const size_t tab = Rest.find('\t');
        field = Rest.substr(0, tab);
        if (tab == std::string_view::npos) {
            Done = true;
        } else {
            Rest.remove_prefix(tab + 1);
        }
        return true;
    }

private:
    std::string_view Rest;
    bool Done = false;
};

constexpr int32_t TextureSize(int32_t index) { return index == 0 ? 256 : 128; }

enum class TParseState { Name, Header, Indices, Vertices };

class TModelParser {
public:
    explicit TModelParser(TScene& scene) : Scene(scene) {}

    TModelParseResult Run(std::string_view text, TObjectList& list);

private:
    bool HandleLine(std::string_view line);
    bool BeginRecord(std::string_view line);
    bool ReadHeader(std::string_view line);
    bool ReadIndices(std::string_view line);
    bool ReadVertex(std::string_view line);
    bool EndRecord();
    void GenerateTexture(int32_t index, std::string_view name);
    bool Fail(std::string message, int32_t line = 0) {
        Result.Ok = false;
        Result.Line = line ? line : LineNumber;
        Result.Message = std::move(message);
        return false;
    }

    TScene& Scene;
    TModelParseResult Result;
    TParseState State = TParseState::Name;
    int32_t LineNumber = 0;
    int32_t RecordLine = 0;
    int32_t IndexLine = 0;
    std::unique_ptr<TPrimitive> Current;
    std::vector<std::unique_ptr<TPrimitive>> Finished;
    // The texture buffers the scene remembers, published only when the whole
    // text is accepted.
    uint32_t* CirclePixels = nullptr;
    uint32_t* PlanePixels = nullptr;
    // One bit per TextureNames entry already generated: a text gets each
    // texture at most once, which bounds what one text can allocate.
    uint32_t TexturesMade = 0;
};

TModelParseResult TModelParser::Run(std::string_view text, TObjectList& list) {
    text = text.substr(0, text.find('\0'));
    const std::string_view separator = DetectSeparator(text);
    size_t pos = 0;
    bool more = true;
    while (more) {
        ++LineNumber;
        const size_t end = separator.empty() ? std::string_view::npos : text.find(separator, pos);
        const std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + separator.size();
        // A rest shorter than two characters holds no line worth reading.
        more = text.size() - pos >= 2;
        // An empty line names a record without a name, except the text's last
        // line, which adds nothing.
        const bool last = !more && text.substr(pos) != "-";
        if (line.empty() && last && State == TParseState::Name) break;
        if (!HandleLine(line)) return Result;
    }
    // A final terminator without its separator still closes the record; any
    // other single character left over is ignored.
    if (pos < text.size() && text.substr(pos) == "-") {
        ++LineNumber;
        if (!HandleLine("-")) return Result;
    }
    if (State != TParseState::Name) {
        Fail("record without terminator \"-\"", RecordLine);
        return Result;
    }
    for (auto& primitive : Finished) list.Add(primitive.release());
    Result.Added = static_cast<int32_t>(Finished.size());
    Finished.clear();
    if (CirclePixels) Scene.HueCirclePixels = CirclePixels;
    if (PlanePixels) Scene.HuePlanePixels = PlanePixels;
    return Result;
}

bool TModelParser::HandleLine(std::string_view line) {
    if (line == "-") return EndRecord();
    switch (State) {
        case TParseState::Name:
            if (!BeginRecord(line)) return false;
            State = TParseState::Header;
            return true;
        case TParseState::Header:
            if (!ReadHeader(line)) return false;
            State = TParseState::Indices;
            return true;
        case TParseState::Indices:
            if (!ReadIndices(line)) return false;
            State = TParseState::Vertices;
            return true;
        case TParseState::Vertices:
            return ReadVertex(line);
    }
    return true;
}

bool TModelParser::BeginRecord(std::string_view line) {
    RecordLine = LineNumber;
    Current = std::make_unique<TPrimitive>();
    std::string_view name;
    TFieldCursor(line).Next(name);  // only field 0 names the record
    if (name.empty() || name == " ") return true;
    const int32_t index = FindTextureName(name);
    if (index < 0) return true;
    const uint32_t bit = uint32_t{1} << index;
    if (TexturesMade & bit) {
        return Fail("a second record named for the texture \"" + std::string(TextureNames[static_cast<size_t>(index)]) +
                    "\"");
    }
    TexturesMade |= bit;
    GenerateTexture(index, name);
    return true;
}

void TModelParser::GenerateTexture(int32_t index, std::string_view name) {
    const int32_t size = TextureSize(index);
    TTexture* texture = AttachTexture(*Current, name, size);
    switch (index) {
        case 0:
            BuildHueCircle(Scene, texture->Pixels, size, 255, Scene.ButtonFace());
            CirclePixels = texture->Pixels;
            break;
        case 1:
            BuildHuePlane(Scene, texture->Pixels, size, 0);
            PlanePixels = texture->Pixels;
            break;
        default:
            BuildCubeFace(Scene, texture->Pixels, size, index - 2);
            break;
    }
}

bool TModelParser::ReadHeader(std::string_view line) {
    TFieldCursor fields(line);
    std::array<std::string_view, 5> f;
    for (auto& field : f) {
        if (!fields.Next(field)) return Fail("header line needs five fields");
    }
    const auto indexCount = ParseInt(f[0]);
    const auto color = ParseInt(f[1]);
    const auto specularPower = ParseInt(f[2]);
    const auto specularLevel = ParseFloat(f[3]);
    const auto diffuseLevel = ParseFloat(f[4]);
    if (!indexCount || !color || !specularPower || !specularLevel || !diffuseLevel) {
        return Fail("header field is not a number");
    }
    if (*indexCount < 0 || *indexCount > MaxModelIndexCount) return Fail("index count out of range");
    if (*specularPower < 0) return Fail("negative specular power");
    AllocIndices(*Current, *indexCount);
    std::fill_n(Current->Indices, *indexCount + IndexSlack, int16_t{0});
    // -1 in the text marks a textured record; in memory -1 means "not drawn".
    Current->Color = *color == -1 ? 0xFF000000u : static_cast<uint32_t>(*color);
    Current->SpecularPower = *specularPower;
    Current->SpecularLevel = *specularLevel;
    Current->DiffuseLevel = *diffuseLevel;
    return true;
}

bool TModelParser::ReadIndices(std::string_view line) {
    IndexLine = LineNumber;
    const int32_t count = Current->IndexCount;
    TFieldCursor fields(line);
    std::string_view field;
    int32_t j = 0;
    // Entries beyond the buffer are ignored.
    for (; j < count + IndexSlack && fields.Next(field); ++j) {
        const auto value = ParseInt(field);
        if (!value) return Fail("index field is not a number");
        if (j < count && (*value < 0 || *value >= MaxPrimitiveVertices)) return Fail("vertex index out of range");
        Current->Indices[j] = static_cast<int16_t>(*value);
    }
    if (j < count) return Fail("index line holds fewer than IndexCount indices");
    return true;
}

bool TModelParser::ReadVertex(std::string_view line) {
    if (Current->Vertices.Count() >= MaxPrimitiveVertices) return Fail("more than 2048 vertices in one record");
    TFieldCursor fields(line);
    std::array<std::string_view, 9> f;
    for (auto& field : f) {
        if (!fields.Next(field)) return Fail("vertex line needs nine fields");
    }
    std::array<float, 8> v{};
    for (size_t i = 0; i < v.size(); ++i) {
        const auto value = ParseFloat(f[i]);
        if (!value) return Fail("vertex field is not a number");
        v[i] = *value;
    }
    const auto tag = ParseInt(f[8]);
    if (!tag) return Fail("vertex tag is not a number");
    auto vertex = std::make_unique<TVertex>();
    vertex->X = v[0];
    vertex->Y = v[1];
    vertex->Z = v[2];
    vertex->NX = v[3];
    vertex->NY = v[4];
    vertex->NZ = v[5];
    vertex->U = v[6];
    vertex->V = v[7];
    vertex->Tag = *tag;
    Current->Vertices.Add(vertex.release());
    return true;
}

bool TModelParser::EndRecord() {
    switch (State) {
        case TParseState::Name:
            return true;
        case TParseState::Header:
            return Fail("record ends before its header line");
        case TParseState::Indices:
            return Fail("record ends before its index line");
        case TParseState::Vertices:
            break;
    }
    const int32_t vertices = Current->Vertices.Count();
    for (int32_t j = 0; j < Current->IndexCount; ++j) {
        if (Current->Indices[j] >= vertices) return Fail("index beyond the record's vertices", IndexLine);
    }
    Finished.push_back(std::move(Current));
    State = TParseState::Name;
    return true;
}

}  // namespace

TModelParseResult ParseModelText(TScene& scene, std::string_view text, TObjectList& list) {
    return TModelParser(scene).Run(text, list);
}

int32_t FindTextureName(std::string_view name) {
    for (size_t i = 0; i < TextureNames.size(); ++i) {
        if (SameTextNoCase(name, TextureNames[i])) return static_cast<int32_t>(i);
    }
    return -1;
}

TTexture* AttachTexture(TPrimitive& primitive, std::string_view name, int32_t size) {
    auto texture = std::make_unique<TTexture>();
    texture->Name = std::string(name);
    texture->Width = size;
    texture->Height = size;
    texture->Shift = std::popcount(static_cast<uint32_t>(size - 1));
    texture->Pixels = RenderHeap::AllocArray<uint32_t>(static_cast<size_t>(size) * static_cast<size_t>(size));
    delete primitive.Texture;
    primitive.Texture = texture.release();
    return primitive.Texture;
}

std::optional<int32_t> ParseInt(std::string_view field) {
    field = TrimSpaces(field);
    if (field.empty()) return std::nullopt;
    int32_t value = 0;
    const char* last = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

std::optional<float> ParseFloat(std::string_view field) {
    field = TrimSpaces(field);
    const std::optional<double> parsed = PlainDecimalToDouble(field);
    if (!parsed) return std::nullopt;
    const double value = *parsed;
    // Beyond the single range the conversion would overflow.
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max()))) return std::nullopt;
    return static_cast<float>(value);
}
