#include "SnapshotOptions.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

const char* const SnapshotUsage =
    "Usage: tintrover-snapshot [options] --out FILE\n"
    "Renders views of the colour solids, 300 x 220 pixels, as the program shows\n"
    "them after the tab was chosen and the positions were set: one image, or\n"
    "with --sweep a turntable of frames.\n"
    "\n"
    "  --tab N         view tab: 0 TypeA (hue circle and plane), 1 TypeB (RGB cube),\n"
    "                  2 TypeC (Ostwald solid), 3 TypeD (Munsell tree); default 0\n"
    "  --h1 N          position 0..63 of the first horizontal view bar\n"
    "  --h2 N          position 0..63 of the second horizontal view bar\n"
    "  --v N           position of the vertical view bar: 0..100 on TypeA, 0..63\n"
    "                  otherwise. Positions left out take the values the tab shows\n"
    "                  on its first visit (TypeA 0 0 100, TypeB 4 0 4, TypeC 4 0 4,\n"
    "                  TypeD 0 0 4)\n"
    "  --csection N    TypeC: number of hue sections, or the section shown with\n"
    "                  --csingle, 1..32; default 2\n"
    "  --csingle       TypeC: draw one section instead of all\n"
    "  --dsection N    TypeD: number of hue pages, or the page shown with\n"
    "                  --dsingle, 1..10; default 10\n"
    "  --dlevel N      TypeD: value rows shown, counted from the bottom, 1..10;\n"
    "                  default 10\n"
    "  --dsingle       TypeD: draw one page instead of all\n"
    "  --bg 0xRRGGBB   background colour of the view; default 0x000000\n"
    "  --out FILE      the image: FILE.png (PNG), FILE.ppm (binary PPM), FILE.webp\n"
    "                  (lossless WebP, animated with --sweep) or FILE.raw\n"
    "                  (little-endian 32-bit values as the frame buffer holds them,\n"
    "                  top row first; with --aa above 1 the top byte of a pixel is\n"
    "                  that of its first sample). With --sweep, a FILE holding one\n"
    "                  %0Nd (N 1..9), such as turn-%03d.png, names one file per\n"
    "                  frame, numbered from 0. FILE - writes one image to standard\n"
    "                  output, PNG unless --format says otherwise; the status\n"
    "                  text then goes to standard error. An existing FILE that\n"
    "                  is a device, a FIFO or a socket is written in place, never\n"
    "                  replaced\n"
    "  --format F      with --out -: png, ppm or raw; default png\n"
    "  --sweep BAR     a turntable: step the view bar h1, h2 or v through its\n"
    "                  range, everything else as given. The horizontal bars and the\n"
    "                  TypeB..TypeD v bar go once round from their given position\n"
    "                  (63 steps make a round: 63 looks like 0); the TypeA v bar\n"
    "                  goes from 0 to 100\n"
    "  --frames N      frames of the sweep, 2..360; default one per position (63,\n"
    "                  or 101 for the TypeA v bar). Positions are whole numbers, so\n"
    "                  more frames than positions repeat some\n"
    "  --delay MS      how long each frame of an animated WebP shows, 20..10000\n"
    "                  milliseconds; default 40\n"
    "  --scale N       the frame N times as wide and high and the solids N times as\n"
    "                  large, 1..8: the same view drawn in more pixels; default 1\n"
    "  --aa N          smooth edges, 1..4: N x N samples per pixel, averaged in\n"
    "                  linear light (averaging sRGB codes would darken the edges\n"
    "                  between bright and dark colours); default 1. Memory grows\n"
    "                  with (scale x aa) squared: --scale 8 --aa 4 takes 600 MB\n"
    "  --version       the version of this build\n"
    "  -h, --help      this text\n"
    "\n"
    "The status text of each frame is printed, UTF-8, one line per frame, on\n"
    "standard output. A bad option gets a one-line error and exit code 2; nothing\n"
    "is written then. A failed write names the file and the reason and exits with\n"
    "code 1; a file keeps what it held, as a new image replaces it only whole.\n";

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s` for a
// printable character (U+00A0 and above, no surrogates), or 0.
size_t PrintableUtf8Length(std::string_view s) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = byte(0);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || s.size() < length) return 0;
    uint32_t c = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = c << 6 | (byte(i) & 0x3F);
    }
    constexpr uint32_t Least[] = {0, 0, 0xA0, 0x800, 0x10000};  // shorter is overlong (or a C1 control)
    if (c < Least[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
    return length;
}

}  // namespace

std::string Quoted(std::string_view text) {
    constexpr char Hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<uint8_t>(text[i]);
        if (c == '"' || c == '\\') {
            out += {'\\', static_cast<char>(c)};
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (const size_t n = c >= 0x80 ? PrintableUtf8Length(text.substr(i)) : 0; n > 0) {
            out += text.substr(i, n);
            i += n - 1;
        } else {
            out += {'\\', 'x', Hex[c >> 4], Hex[c & 0xF]};
        }
    }
    return out + "\"";
}

namespace {

std::optional<int32_t> Decimal(std::string_view s) {
    int32_t value = 0;
    const char* last = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), last, value);
    if (s.empty() || ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

std::optional<uint32_t> HexColour(std::string_view s) {
    if (s.size() < 3 || s.size() > 8 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X')) return std::nullopt;
    uint32_t value = 0;
    const char* last = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data() + 2, last, value, 16);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    return out;
}

std::optional<TImageFormat> FormatOf(std::string_view path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
    const std::string extension = Lower(path.substr(dot));
    if (extension == ".png") return TImageFormat::Png;
    if (extension == ".ppm") return TImageFormat::Ppm;
    if (extension == ".raw") return TImageFormat::Raw;
    if (extension == ".webp") return TImageFormat::WebP;
    return std::nullopt;
}

struct TIntOption {
    std::string_view Name;
    int32_t Min, Max;
};

class TParser {
public:
    explicit TParser(const std::vector<std::string>& args) : Args(args) {}
    TOptionsResult Run();

private:
    bool Fail(std::string message) {
        Result.Ok = false;
        Result.Error = std::move(message);
        return false;
    }
    bool Value(std::string_view name, std::optional<std::string_view> inlineValue, size_t& i, std::string_view& out);
    bool Integer(const TIntOption& option, std::string_view text, int32_t& out);
    bool Apply(std::string_view name, std::optional<std::string_view> inlineValue, size_t& i);
    bool Finish();

    bool Out(std::string_view text);
    bool CheckSweep();

    const std::vector<std::string>& Args;
    TOptionsResult Result;
    std::optional<int32_t> H1, H2, V;
    bool HaveOut = false;
    std::optional<TImageFormat> StreamFormat;  // --format
    bool HaveFrames = false;
    bool HaveDelay = false;
};

// Splits `path` at its one %0Nd into `numbered`; false for any other '%'.
bool SplitNumbered(std::string_view path, std::optional<TNumberedPath>& numbered) {
    const size_t at = path.find('%');
    if (at == std::string_view::npos) return true;
    const std::string_view directive = path.substr(at, 4);
    if (directive.size() < 4 || directive[1] != '0' || directive[2] < '1' || directive[2] > '9' ||
        directive[3] != 'd' || path.find('%', at + 1) != std::string_view::npos) {
        return false;
    }
    numbered = TNumberedPath{std::string(path.substr(0, at)), std::string(path.substr(at + 4)), directive[2] - '0'};
    return true;
}

bool TParser::Value(std::string_view name, std::optional<std::string_view> inlineValue, size_t& i,
                    std::string_view& out) {
    if (inlineValue) {
        out = *inlineValue;
        return true;
    }
    if (i + 1 >= Args.size()) return Fail("option " + std::string(name) + " needs a value");
    out = Args[++i];
    return true;
}

bool TParser::Integer(const TIntOption& option, std::string_view text, int32_t& out) {
    const auto value = Decimal(text);
    if (!value) return Fail("option " + std::string(option.Name) + ": " + Quoted(text) + " is not a whole number");
    if (*value < option.Min || *value > option.Max) {
        return Fail("option " + std::string(option.Name) + ": " + std::to_string(*value) + " is outside " +
                    std::to_string(option.Min) + ".." + std::to_string(option.Max));
    }
    out = *value;
    return true;
}

bool TParser::Apply(std::string_view name, std::optional<std::string_view> inlineValue, size_t& i) {
    TSnapshotOptions& options = Result.Options;
    TViewState& view = options.View;
    const auto flag = [&](bool& target) {
        if (inlineValue) return Fail("option " + std::string(name) + " takes no value");
        target = true;
        return true;
    };
    const auto integer = [&](const TIntOption& option, int32_t& target) {
        std::string_view text;
        return Value(name, inlineValue, i, text) && Integer(option, text, target);
    };
    const auto position = [&](std::optional<int32_t>& target, int32_t max) {
        int32_t value = 0;
        if (!integer({name, 0, max}, value)) return false;
        target = value;
        return true;
    };
    if (name == "--help" || name == "-h") return flag(options.Help);
    if (name == "--version") return flag(options.Version);
    if (name == "--csingle") return flag(view.TypeCSingle);
    if (name == "--dsingle") return flag(view.TypeDSingle);
    if (name == "--tab") return integer({name, 0, 3}, view.Tab);
    if (name == "--h1") return position(H1, ViewHScrollMax);
    if (name == "--h2") return position(H2, ViewHScrollMax);
    // The range of --v depends on the tab; it is checked once all are read.
    if (name == "--v") return position(V, *std::max_element(ViewTabScrollMax.begin(), ViewTabScrollMax.end()));
    if (name == "--csection") return integer({name, TypeCSectionMin, TypeCSectionMax}, view.TypeCSections);
    if (name == "--dsection") return integer({name, TypeDSectionMin, TypeDSectionMax}, view.TypeDSections);
    if (name == "--dlevel") return integer({name, TypeDLevelMin, TypeDLevelMax}, view.TypeDLevel);
    if (name == "--bg") {
        std::string_view text;
        if (!Value(name, inlineValue, i, text)) return false;
        const auto colour = HexColour(text);
        if (!colour || *colour > 0xFFFFFF) return Fail("option --bg: " + Quoted(text) + " is not a colour 0xRRGGBB");
        options.Background = *colour;
        return true;
    }
    if (name == "--out") {
        std::string_view text;
        return Value(name, inlineValue, i, text) && Out(text);
    }
    if (name == "--format") {
        std::string_view text;
        if (!Value(name, inlineValue, i, text)) return false;
        const auto format = FormatOf("." + std::string(text));
        if (!format || text.find_first_of("./") != std::string_view::npos) {
            return Fail("option --format: " + Quoted(text) + " is not png, ppm or raw");
        }
        StreamFormat = *format;
        return true;
    }
    if (name == "--sweep") {
        std::string_view text;
        if (!Value(name, inlineValue, i, text)) return false;
        constexpr std::pair<std::string_view, TSweepBar> bars[] = {
            {"h1", TSweepBar::H1}, {"h2", TSweepBar::H2}, {"v", TSweepBar::V}};
        for (const auto& [barName, bar] : bars) {
            if (text == barName) {
                options.Sweep = bar;
                return true;
            }
        }
        return Fail("option --sweep: " + Quoted(text) + " is not h1, h2 or v");
    }
    if (name == "--frames") {
        HaveFrames = true;
        return integer({name, FramesMin, FramesMax}, options.Frames);
    }
    if (name == "--delay") {
        HaveDelay = true;
        return integer({name, DelayMin, DelayMax}, options.DelayMs);
    }
    if (name == "--scale") return integer({name, ScaleMin, ScaleMax}, options.Scale);
    if (name == "--aa") return integer({name, AaMin, AaMax}, options.Aa);
    return Fail("unknown option " + Quoted(name) + " (see --help)");
}

bool TParser::Out(std::string_view text) {
    TSnapshotOptions& options = Result.Options;
    if (text == "-") {
        options.Numbered.reset();
        options.OutPath = "-";
        HaveOut = true;
        return true;
    }
    const auto format = FormatOf(text);
    if (!format) return Fail("option --out: " + Quoted(text) + " does not end in .png, .ppm, .webp or .raw");
    options.Numbered.reset();
    if (!SplitNumbered(text, options.Numbered)) {
        return Fail("option --out: " + Quoted(text) + " may hold one %0Nd (N 1..9) and no other %");
    }
    if (options.Numbered && *format == TImageFormat::WebP) {
        return Fail("option --out: numbered files are .png, .ppm or .raw");
    }
    options.OutPath = std::string(text);
    options.Format = *format;
    HaveOut = true;
    return true;
}

// A sweep writes an animation or numbered files; its options need it.
// Standard output takes one still image.
bool TParser::CheckSweep() {
    TSnapshotOptions& options = Result.Options;
    if (options.ToStandardOutput()) {
        options.Format = StreamFormat.value_or(TImageFormat::Png);
        if (options.Format == TImageFormat::WebP || options.Sweep) {
            return Fail("option --out -: standard output takes one .png, .ppm or .raw image");
        }
    } else if (StreamFormat) {
        return Fail("option --format goes with --out - (a file's name gives its format)");
    }
    if (options.Sweep && !options.Numbered && options.Format != TImageFormat::WebP) {
        return Fail("option --sweep needs --out NAME.webp or a numbered NAME-%03d.png");
    }
    if (options.Numbered && !options.Sweep) return Fail("option --out: numbered files need --sweep");
    if (HaveFrames && !options.Sweep) return Fail("option --frames needs --sweep");
    if (HaveDelay && !(options.Sweep && options.Format == TImageFormat::WebP)) {
        return Fail("option --delay needs --sweep and --out NAME.webp");
    }
    return true;
}

bool TParser::Finish() {
    TViewState& view = Result.Options.View;
    SetPositionsOrFirstVisit(view, H1, H2, V);
    const int32_t vMax = ViewTabScrollMax[static_cast<size_t>(view.Tab)];
    if (view.V > vMax) {
        return Fail("option --v: " + std::to_string(view.V) + " is outside 0.." + std::to_string(vMax) + " on tab " +
                    std::to_string(view.Tab));
    }
    if (!HaveOut) return Fail("option --out FILE is required (see --help)");
    return CheckSweep();
}

TOptionsResult TParser::Run() {
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string_view arg = Args[i];
        if (arg.substr(0, 2) != "--" && arg != "-h") {
            Fail("unexpected argument " + Quoted(arg) + " (see --help)");
            return Result;
        }
        const size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        std::optional<std::string_view> inlineValue;
        if (equals != std::string_view::npos) inlineValue = arg.substr(equals + 1);
        if (!Apply(name, inlineValue, i)) return Result;
        if (Result.Options.Help || Result.Options.Version) return Result;
    }
    Finish();
    return Result;
}

}  // namespace

TOptionsResult ParseSnapshotOptions(const std::vector<std::string>& args) { return TParser(args).Run(); }

std::string TNumberedPath::At(int32_t index) const {
    std::string number = std::to_string(index);
    if (number.size() < static_cast<size_t>(Digits)) number.insert(0, static_cast<size_t>(Digits) - number.size(), '0');
    return Prefix + number + Suffix;
}

namespace {

// a / b rounded half up, for a >= 0 and b > 0.
int32_t RoundedQuotient(int32_t a, int32_t b) { return (2 * a + b) / (2 * b); }

}  // namespace

std::vector<TViewState> FrameStates(const TSnapshotOptions& options) {
    if (!options.Sweep) return {options.View};
    const TSweepBar bar = *options.Sweep;
    const bool valueBar = bar == TSweepBar::V && options.View.Tab == static_cast<int32_t>(TViewTab::TypeA);
    const int32_t valueMax = ViewTabScrollMax[static_cast<size_t>(TViewTab::TypeA)];
    const int32_t frames = options.Frames > 0 ? options.Frames : valueBar ? valueMax + 1 : SweepRound;
    std::vector<TViewState> states(static_cast<size_t>(frames), options.View);
    for (int32_t k = 0; k < frames; ++k) {
        TViewState& state = states[static_cast<size_t>(k)];
        int32_t& position = bar == TSweepBar::H1 ? state.H1 : bar == TSweepBar::H2 ? state.H2 : state.V;
        position = valueBar ? RoundedQuotient(k * valueMax, frames - 1)
                            : (position + RoundedQuotient(k * SweepRound, frames)) % SweepRound;
    }
    return states;
}
