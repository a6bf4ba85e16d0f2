// The view state in a link's fragment, named as the export tool's options.
#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "Explorer.h"

namespace {

struct TNumberKey {
    std::string_view Name;
    int32_t Min, Max;
};

// Whole numbers, as the export tool takes them; leading zeros are fine.
std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ptr != last) return std::nullopt;
    // Too long for 64 bits: as far out of every range as it gets.
    if (ec == std::errc::result_out_of_range) return text[0] == '-' ? INT64_MIN : INT64_MAX;
    if (ec != std::errc()) return std::nullopt;
    return value;
}

std::optional<uint32_t> HexRgb(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    uint32_t value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value, 16);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

// Shown in the note as given, but never more than a short, printable piece.
std::string Shown(std::string_view text) {
    constexpr size_t Longest = 24;
    std::string out;
    for (const char c : text.substr(0, Longest)) out += c >= 0x20 && c < 0x7F ? c : '?';
    if (text.size() > Longest) out += "...";
    return out;
}

class TLinkReader {
public:
    TLinkResult Run(std::string_view fragment);

private:
    void Read(std::string_view name, std::optional<std::string_view> value);
    bool Number(const TNumberKey& key, std::string_view text, int32_t& target);
    void Switch(std::string_view name, std::string_view text, bool& target);
    void Note(std::string text) {
        if (!Result.Ignored.empty()) Result.Ignored += ", ";
        Result.Ignored += text;
    }

    TLinkResult Result;
    std::optional<int32_t> H1, H2, V;
};

// False, with a note, when `text` is no whole number; a number outside the
// range takes its nearer end.
bool TLinkReader::Number(const TNumberKey& key, std::string_view text, int32_t& target) {
    const auto value = WholeNumber(text);
    const std::string item = std::string(key.Name) + "=" + Shown(text);
    if (!value) {
        Note(item + " (not a whole number)");
        return false;
    }
    target = static_cast<int32_t>(std::clamp<int64_t>(*value, key.Min, key.Max));
    if (target != *value) {
        Note(item + " (outside " + std::to_string(key.Min) + ".." + std::to_string(key.Max) + ", took " +
             std::to_string(target) + ")");
    }
    return true;
}

void TLinkReader::Switch(std::string_view name, std::string_view text, bool& target) {
    if (text == "1" || text == "0") {
        target = text == "1";
        return;
    }
    Note(std::string(name) + "=" + Shown(text) + " (not 0 or 1)");
}

void TLinkReader::Read(std::string_view name, std::optional<std::string_view> value) {
    TViewState& view = Result.Link.View;
    if (!value) {
        // A switch may stand alone, as its option does.
        if (name == "csingle" || name == "dsingle") return Switch(name, "1", name == "csingle" ? view.TypeCSingle : view.TypeDSingle);
        if (!name.empty()) Note(Shown(name) + " (no value)");
        return;
    }
    const std::string_view text = *value;
    const auto position = [&](std::optional<int32_t>& target, int32_t max) {
        if (int32_t p = 0; Number({name, 0, max}, text, p)) target = p;
    };
    const auto setting = [&](const TNumberKey& key, int32_t& target) { Number(key, text, target); };
    if (name == "tab") return setting({name, 0, ViewTabCount - 1}, view.Tab);
    if (name == "h1") return position(H1, ViewHScrollMax);
    if (name == "h2") return position(H2, ViewHScrollMax);
    // The range of v depends on the tab, which may come later.
    if (name == "v") return position(V, *std::max_element(ViewTabScrollMax.begin(), ViewTabScrollMax.end()));
    if (name == "csection") return setting({name, TypeCSectionMin, TypeCSectionMax}, view.TypeCSections);
    if (name == "dsection") return setting({name, TypeDSectionMin, TypeDSectionMax}, view.TypeDSections);
    if (name == "dlevel") return setting({name, TypeDLevelMin, TypeDLevelMax}, view.TypeDLevel);
    if (name == "csingle") return Switch(name, text, view.TypeCSingle);
    if (name == "dsingle") return Switch(name, text, view.TypeDSingle);
    if (name == "bg") {
        if (const auto rgb = HexRgb(text)) {
            Result.Link.Background = *rgb;
            return;
        }
        return Note("bg=" + Shown(text) + " (not six hex digits)");
    }
    Note(Shown(std::string(name) + "=" + std::string(text)) + " (unknown)");
}

TLinkResult TLinkReader::Run(std::string_view fragment) {
    if (!fragment.empty() && fragment[0] == '#') fragment.remove_prefix(1);
    while (!fragment.empty()) {
        const size_t amp = fragment.find('&');
        const std::string_view item = fragment.substr(0, amp);
        fragment = amp == std::string_view::npos ? std::string_view() : fragment.substr(amp + 1);
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos) Read(item, std::nullopt);
        else Read(item.substr(0, equals), item.substr(equals + 1));
    }
    TViewState& view = Result.Link.View;
    SetPositionsOrFirstVisit(view, H1, H2, V);
    const int32_t vMax = ViewTabScrollMax[static_cast<size_t>(view.Tab)];
    if (view.V > vMax) {
        Note("v=" + std::to_string(view.V) + " (outside 0.." + std::to_string(vMax) + " on tab " +
             std::to_string(view.Tab) + ", took " + std::to_string(vMax) + ")");
        view.V = vMax;
    }
    return Result;
}

std::string HexDigits(uint32_t rgb) {
    constexpr char Hex[] = "0123456789abcdef";
    std::string out(6, '0');
    for (size_t i = 0; i < 6; ++i) out[5 - i] = Hex[(rgb >> (4 * i)) & 0xF];
    return out;
}

}  // namespace

TLinkResult ParseViewLink(std::string_view fragment) { return TLinkReader().Run(fragment); }

std::string ViewLinkText(const TViewLink& link) {
    const TViewState& v = link.View;
    const auto item = [](std::string_view name, int32_t value) { return "&" + std::string(name) + "=" + std::to_string(value); };
    std::string text = "tab=" + std::to_string(v.Tab) + item("h1", v.H1) + item("h2", v.H2) + item("v", v.V);
    const bool typeC = v.Tab == static_cast<int32_t>(TViewTab::TypeC);
    const bool typeD = v.Tab == static_cast<int32_t>(TViewTab::TypeD);
    if (typeC || v.TypeCSections != TypeCSectionInitial) text += item("csection", v.TypeCSections);
    if (v.TypeCSingle) text += "&csingle=1";
    if (typeD || v.TypeDSections != TypeDSectionInitial) text += item("dsection", v.TypeDSections);
    if (typeD || v.TypeDLevel != TypeDLevelInitial) text += item("dlevel", v.TypeDLevel);
    if (v.TypeDSingle) text += "&dsingle=1";
    if (link.Background != 0) text += "&bg=" + HexDigits(link.Background);
    return text;
}
