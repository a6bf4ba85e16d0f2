// The web page's seam: the window-free explorer and the export tool's scaled
// frames, bound for JavaScript. The page maps its DOM events onto these calls
// and copies the frame to its canvas; every rule stays on this side.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Explorer.h"
#include "FrameCases.h"
#include "FrameMaker.h"
#include "UiValues.h"

namespace {

// 0x??RRGGBB frame values to the canvas's R, G, B, A bytes, opaque.
void ToRgba(const uint32_t* frame, size_t count, std::vector<uint8_t>& rgba) {
    rgba.resize(count * 4);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = frame[i];
        rgba[4 * i] = static_cast<uint8_t>(p >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(p >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(p);
        rgba[4 * i + 3] = 0xFF;
    }
}

class TWebExplorer {
public:
    bool Loaded() const { return Explorer.Loaded(); }

    int32_t Tab() const { return Explorer.Tab(); }
    void SelectTab(int32_t tab) { Explorer.SelectTab(tab); }
    bool ShowsView() const { return IsViewTab(Explorer.Tab()); }

    int32_t Position(TViewBar bar) const { return Explorer.Position(bar); }
    int32_t BarMax(TViewBar bar) const { return Explorer.BarMax(bar); }
    void SetPosition(TViewBar bar, int32_t position) { Explorer.SetPosition(bar, position); }

    int32_t Setting(TSetting s) const { return Explorer.Setting(s); }
    int32_t SettingMin(TSetting s) const { return RangeOf(s).Min; }
    int32_t SettingMax(TSetting s) const { return RangeOf(s).Max; }
    void SetSetting(TSetting s, int32_t value) { Explorer.SetSetting(s, value); }
    bool Single(int32_t tab) const { return Explorer.Single(static_cast<TViewTab>(tab)); }
    void SetSingle(int32_t tab, bool single) { Explorer.SetSingle(static_cast<TViewTab>(tab), single); }

    bool ShowsTools() const { return Explorer.ShowsTools(); }
    bool ModeEnabled() const { return Explorer.Tab() == static_cast<int32_t>(TViewTab::TypeD); }
    std::string ModeCaption() const { return Explorer.ModeCaption(); }
    void ToggleMode() { Explorer.ToggleTypeDMode(); }
    int32_t StepValue() const { return ShowsTools() ? Explorer.Setting(Explorer.StepSetting()) : 0; }
    void Step(int32_t delta) { Explorer.Step(delta); }
    bool ToolChecked() const { return Explorer.ToolChecked(); }
    void SetToolChecked(bool checked) { Explorer.SetToolChecked(checked); }

    uint32_t Background() const { return Explorer.Background(); }
    void SetBackground(uint32_t rgb) { Explorer.SetBackground(rgb); }

    void DragStart(int32_t x, int32_t y) { Explorer.DragStart(x, y); }
    void DragMove(int32_t x, int32_t y, int32_t width, int32_t height, bool shift, bool control) {
        Explorer.DragMove(x, y, width, height, shift, control);
    }

    std::string Link() const { return ViewLinkText(Explorer.Link()); }
    // Applies a fragment and returns the line naming what it left out.
    std::string ApplyLink(const std::string& fragment) {
        const TLinkResult result = ParseViewLink(fragment);
        Explorer.ApplyLink(result.Link);
        return result.Ignored;
    }

    // Renders the frame shown; its RGBA bytes are then in Frame().
    std::string Render() {
        const std::string status = Explorer.Render();
        ToRgba(Explorer.Frame(), static_cast<size_t>(RenderWidth) * RenderHeight, Rgba);
        ++FramesDrawn;
        return status;
    }
    emscripten::val Frame() const { return emscripten::val(emscripten::typed_memory_view(Rgba.size(), Rgba.data())); }
    int32_t FrameCount() const { return FramesDrawn; }

    // The view shown, drawn `scale` times as large by the export tool's path;
    // its RGBA bytes, or an empty array where it does not fit in memory.
    emscripten::val RenderScaled(int32_t scale) {
        Scaled.clear();
        if (scale >= 1 && scale <= 8 && IsViewTab(Explorer.Tab())) {
            TFrameMaker maker(scale, 1, Explorer.Background());
            TViewState state = Explorer.Link().View;
            if (maker.Loaded()) {
                maker.Render(state);
                ToRgba(maker.Frame(), static_cast<size_t>(maker.Width()) * static_cast<size_t>(maker.Height()), Scaled);
            }
        }
        return emscripten::val(emscripten::typed_memory_view(Scaled.size(), Scaled.data()));
    }

private:
    TExplorer Explorer;
    std::vector<uint8_t> Rgba;
    std::vector<uint8_t> Scaled;
    int32_t FramesDrawn = 0;
};

// The benchmark mode: the native benchmarks' frame cases, drawn here. Made
// on first use, so that the page itself never loads them.
TFrameCases& BenchCases() {
    static TFrameCases cases;
    return cases;
}
int32_t BenchCount() { return BenchCases().Loaded() ? static_cast<int32_t>(BenchCases().Count()) : 0; }
std::string BenchName(int32_t index) { return BenchCases().Name(static_cast<size_t>(index)); }
// Milliseconds per frame over `frames` frames, after one to warm up.
double BenchRun(int32_t index, int32_t frames) {
    return BenchCases().MillisecondsPerFrame(static_cast<size_t>(index), frames);
}
// The frame's hash in sixteen hex digits, as the native frame_cases prints it.
std::string BenchHash(int32_t index) {
    constexpr char Hex[] = "0123456789abcdef";
    const uint64_t hash = BenchCases().FrameHash(static_cast<size_t>(index));
    std::string text(16, '0');
    for (size_t i = 0; i < 16; ++i) text[15 - i] = Hex[(hash >> (4 * i)) & 0xF];
    return text;
}

std::string UiString(int32_t index) {
    return index >= 0 && index < static_cast<int32_t>(UiStrings.size()) ? UiStrings[static_cast<size_t>(index)] : "";
}
std::string TabCaption(int32_t tab) { return tab >= 0 && tab < TabCount ? UiString(FirstTabCaption + tab) : ""; }
int32_t TabCountOf() { return TabCount; }
int32_t FrameWidthOf() { return RenderWidth; }
int32_t FrameHeightOf() { return RenderHeight; }

}  // namespace

EMSCRIPTEN_BINDINGS(tintrover) {
    using namespace emscripten;
    enum_<TViewBar>("ViewBar").value("H1", TViewBar::H1).value("H2", TViewBar::H2).value("V", TViewBar::V);
    enum_<TSetting>("Setting")
        .value("TypeCSections", TSetting::TypeCSections)
        .value("TypeDSections", TSetting::TypeDSections)
        .value("TypeDLevel", TSetting::TypeDLevel);
    function("uiString", &UiString);
    function("tabCaption", &TabCaption);
    function("tabCount", &TabCountOf);
    function("aboutText", &AboutText);
    function("frameWidth", &FrameWidthOf);
    function("frameHeight", &FrameHeightOf);
    class_<TWebExplorer>("Explorer")
        .constructor<>()
        .function("loaded", &TWebExplorer::Loaded)
        .function("tab", &TWebExplorer::Tab)
        .function("selectTab", &TWebExplorer::SelectTab)
        .function("showsView", &TWebExplorer::ShowsView)
        .function("position", &TWebExplorer::Position)
        .function("barMax", &TWebExplorer::BarMax)
        .function("setPosition", &TWebExplorer::SetPosition)
        .function("setting", &TWebExplorer::Setting)
        .function("settingMin", &TWebExplorer::SettingMin)
        .function("settingMax", &TWebExplorer::SettingMax)
        .function("setSetting", &TWebExplorer::SetSetting)
        .function("single", &TWebExplorer::Single)
        .function("setSingle", &TWebExplorer::SetSingle)
        .function("showsTools", &TWebExplorer::ShowsTools)
        .function("modeEnabled", &TWebExplorer::ModeEnabled)
        .function("modeCaption", &TWebExplorer::ModeCaption)
        .function("toggleMode", &TWebExplorer::ToggleMode)
        .function("stepValue", &TWebExplorer::StepValue)
        .function("step", &TWebExplorer::Step)
        .function("toolChecked", &TWebExplorer::ToolChecked)
        .function("setToolChecked", &TWebExplorer::SetToolChecked)
        .function("background", &TWebExplorer::Background)
        .function("setBackground", &TWebExplorer::SetBackground)
        .function("dragStart", &TWebExplorer::DragStart)
        .function("dragMove", &TWebExplorer::DragMove)
        .function("link", &TWebExplorer::Link)
        .function("applyLink", &TWebExplorer::ApplyLink)
        .function("render", &TWebExplorer::Render)
        .function("frame", &TWebExplorer::Frame)
        .function("frameCount", &TWebExplorer::FrameCount)
        .function("renderScaled", &TWebExplorer::RenderScaled);
    function("benchCount", &BenchCount);
    function("benchName", &BenchName);
    function("benchRun", &BenchRun);
    function("benchHash", &BenchHash);
}
