// The snapshot tool's command line fed arbitrary arguments (the input cut at
// zero bytes). An accepted command line yields settings inside their ranges;
// a rejected one yields one line of printable text.
//
// The accepted command lines are a thin slice of all byte strings, so an
// input whose first byte has its top bit set is read as tokens instead, one
// argument per byte: option names, the numbers at and beside the edges of
// every range, file names. One changed byte then moves a value across the
// edge of its range.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "SnapshotOptions.h"

namespace {

struct TRange {
    int64_t Value, Min, Max;
};

// One row per setting with a range: a new option adds its row here (an
// option without a range goes to OtherOptions).
struct TRangeRule {
    std::string_view Option;
    TRange (*Of)(const TSnapshotOptions&);
    bool Hex = false;  // written 0x...
};

constexpr std::array RangeRules{
    TRangeRule{"--tab", [](const TSnapshotOptions& o) { return TRange{o.View.Tab, 0, 3}; }},
    TRangeRule{"--h1", [](const TSnapshotOptions& o) { return TRange{o.View.H1, 0, ViewHScrollMax}; }},
    TRangeRule{"--h2", [](const TSnapshotOptions& o) { return TRange{o.View.H2, 0, ViewHScrollMax}; }},
    TRangeRule{"--v",
               [](const TSnapshotOptions& o) {
                   const int32_t tab = std::clamp(o.View.Tab, 0, 3);
                   return TRange{o.View.V, 0, ViewTabScrollMax[static_cast<size_t>(tab)]};
               }},
    TRangeRule{"--csection",
               [](const TSnapshotOptions& o) { return TRange{o.View.TypeCSections, TypeCSectionMin, TypeCSectionMax}; }},
    TRangeRule{"--dsection",
               [](const TSnapshotOptions& o) { return TRange{o.View.TypeDSections, TypeDSectionMin, TypeDSectionMax}; }},
    TRangeRule{"--dlevel",
               [](const TSnapshotOptions& o) { return TRange{o.View.TypeDLevel, TypeDLevelMin, TypeDLevelMax}; }},
    TRangeRule{"--bg", [](const TSnapshotOptions& o) { return TRange{o.Background, 0, 0xFFFFFF}; }, true},
    // Frames 0 stands for "one per position of the swept bar".
    TRangeRule{"--frames",
               [](const TSnapshotOptions& o) { return TRange{o.Frames ? o.Frames : FramesMin, FramesMin, FramesMax}; }},
    TRangeRule{"--delay", [](const TSnapshotOptions& o) { return TRange{o.DelayMs, DelayMin, DelayMax}; }},
    TRangeRule{"--scale", [](const TSnapshotOptions& o) { return TRange{o.Scale, ScaleMin, ScaleMax}; }},
    TRangeRule{"--aa", [](const TSnapshotOptions& o) { return TRange{o.Aa, AaMin, AaMax}; }},
};

constexpr std::array<std::string_view, 15> OtherOptions{"--help", "--csingle", "--dsingle", "--out", "--version",
                                                        "--sweep", "h1", "h2", "v", "-h",
                                                        "--format", "png", "ppm", "raw", "webp"};
constexpr std::array<std::string_view, 8> FileNames{"x.png", "x.PPM", "x.raw", "x.gif", "x", "x.webp", "x-%03d.png", "-"};

// A command line that only asks for information stops being read there.
bool StopsReading(const TSnapshotOptions& o) { return o.Help || o.Version; }

std::vector<std::string> MakeTokens() {
    std::vector<std::string> tokens(OtherOptions.begin(), OtherOptions.end());
    tokens.insert(tokens.end(), FileNames.begin(), FileNames.end());
    for (const TRangeRule& rule : RangeRules) {
        tokens.emplace_back(rule.Option);
        const TRange r = rule.Of(TSnapshotOptions{});
        for (const int64_t v : {r.Min - 1, r.Min, r.Max, r.Max + 1}) {
            char text[32];
            std::snprintf(text, sizeof text, rule.Hex ? "0x%llX" : "%lld", static_cast<long long>(v));
            tokens.emplace_back(text);
        }
    }
    return tokens;
}

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    return std::equal(tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

void CheckAccepted(const TSnapshotOptions& o) {
    if (StopsReading(o)) return;
    for (const TRangeRule& rule : RangeRules) {
        const TRange r = rule.Of(o);
        if (r.Value < r.Min || r.Value > r.Max) {
            std::fprintf(stderr, "%s: %lld outside %lld..%lld\n", std::string(rule.Option).c_str(), static_cast<long long>(r.Value),
                         static_cast<long long>(r.Min), static_cast<long long>(r.Max));
            Require(false, "every accepted setting inside its range");
        }
    }
    constexpr std::array<std::pair<std::string_view, TImageFormat>, 4> formats{{{".png", TImageFormat::Png},
                                                                                {".ppm", TImageFormat::Ppm},
                                                                                {".raw", TImageFormat::Raw},
                                                                                {".webp", TImageFormat::WebP}}};
    const bool named = std::ranges::any_of(
        formats, [&](const auto& f) { return f.second == o.Format && EndsWithNoCase(o.OutPath, f.first); });
    // Standard output has no name: one still image in any format but WebP.
    const bool stream = o.ToStandardOutput() && o.Format != TImageFormat::WebP && !o.Sweep;
    Require(named || stream, "the output file's extension names its format, or standard output takes a still");
}

// The next UTF-8 character of `s` from `at`, or -1 when the bytes there are
// not a well-formed sequence.
int32_t NextCodePoint(std::string_view s, size_t& at) {
    const auto lead = static_cast<uint8_t>(s[at++]);
    if (lead < 0x80) return lead;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length - 1 > s.size()) return -1;
    int32_t c = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i, ++at) {
        const auto b = static_cast<uint8_t>(s[at]);
        if ((b & 0xC0) != 0x80) return -1;
        c = c << 6 | (b & 0x3F);
    }
    constexpr std::array<int32_t, 5> least{0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return -1;
    return c;
}

// One line of text a terminal only prints: well-formed UTF-8 without line
// breaks or any other control character (C0, DEL, C1).
void CheckError(const std::string& error) {
    Require(!error.empty(), "a rejected command line says why");
    bool printable = true;
    for (size_t at = 0; at < error.size() && printable;) {
        const int32_t c = NextCodePoint(error, at);
        printable = c >= 0x20 && !(c >= 0x7F && c < 0xA0);
    }
    if (!printable) std::fprintf(stderr, "error text: %s\n", error.c_str());
    Require(printable, "an error is one line of printable text");
}

std::vector<std::string> Arguments(std::string_view input) {
    constexpr size_t MaxArgs = 64;
    static const std::vector<std::string> tokens = MakeTokens();
    std::vector<std::string> args;
    if (!input.empty() && (static_cast<unsigned char>(input[0]) & 0x80)) {
        for (const char c : input.substr(1, MaxArgs)) args.push_back(tokens[static_cast<unsigned char>(c) % tokens.size()]);
        return args;
    }
    for (size_t start = 0; start <= input.size() && args.size() < MaxArgs;) {
        const size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> args = Arguments(std::string_view(reinterpret_cast<const char*>(data), size));
    const TOptionsResult result = ParseSnapshotOptions(args);
    if (result.Ok) {
        CheckAccepted(result.Options);
    } else {
        CheckError(result.Error);
    }
    return 0;
}
