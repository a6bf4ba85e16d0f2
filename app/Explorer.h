#pragma once
// The explorer without a window: what the program's tabs, view bars, tool
// strip and Config page hold, changed by the same rules as the program's
// handlers, and the frame and status text they give. A front end that has
// no Win32 controls (the web page) keeps one TExplorer and maps its own
// events onto these calls.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "DragMath.h"
#include "Scene.h"
#include "ToolRules.h"
#include "UiValues.h"
#include "View.h"

enum class TViewBar : int32_t { H1, H2, V };

// Everything a link to a view carries: the view tab, its three positions, the
// TypeC and TypeD settings and the background (0xRRGGBB).
struct TViewLink {
    TViewState View;
    uint32_t Background = 0x000000;
};

struct TLinkResult {
    TViewLink Link;
    std::string Ignored;  // one line naming what was left out or changed; empty when nothing
};

// Reads a link's fragment ("tab=3&h1=0&v=4&dsection=10", with or without the
// leading "#"). Names and ranges are those of the export tool's options
// without their dashes: tab h1 h2 v csection csingle dsection dlevel dsingle,
// and bg as six hex digits. A name left out takes the export tool's default;
// a number out of range takes the nearest end of its range; anything else
// malformed or unknown is left out. Never fails.
TLinkResult ParseViewLink(std::string_view fragment);

// The fragment for `link`, without "#": the tab and its positions always, the
// settings of the tab shown and every setting that is not its default.
std::string ViewLinkText(const TViewLink& link);

class TExplorer {
public:
    TExplorer();

    bool Loaded() const { return Ready; }

    // Tabs 0..5 as the program has them; the view tabs keep their positions
    // apart, starting from their first-visit positions.
    int32_t Tab() const { return CurrentTab; }
    void SelectTab(int32_t tab);

    int32_t Position(TViewBar bar) const;
    int32_t BarMax(TViewBar bar) const;
    // Clamped to the bar's range, as a scroll bar clamps.
    void SetPosition(TViewBar bar, int32_t position);

    int32_t Setting(TSetting s) const;
    void SetSetting(TSetting s, int32_t value);  // clamped to its range
    bool Single(TViewTab tab) const;             // TypeC or TypeD
    void SetSingle(TViewTab tab, bool single);

    // The tool strip: shown on TypeC and TypeD; its mode button (TypeD only)
    // switches between stepping the level and the pages; minus and plus step
    // that setting by one; the check box sets the tab's "Single".
    bool ShowsTools() const;
    uint8_t TypeDMode() const { return Mode; }
    void ToggleTypeDMode();
    std::string ModeCaption() const;
    TSetting StepSetting() const { return StepSettingFor(CurrentTab, Mode); }
    void Step(int32_t delta);
    bool ToolChecked() const;
    void SetToolChecked(bool checked);

    uint32_t Background() const { return BackgroundRgb; }  // 0xRRGGBB
    void SetBackground(uint32_t rgb);

    // A drag in the view: the button went down at (x, y) of a page of the
    // given size, and moved to (x, y) with the modifier keys given.
    void DragStart(int32_t x, int32_t y);
    void DragMove(int32_t x, int32_t y, int32_t pageWidth, int32_t pageHeight, bool shift, bool control);

    // The view state of the tab shown, with every setting; for a tab without
    // a view, that of the last view tab shown.
    TViewLink Link() const;
    // Puts a link's state in place: its tab selected with its positions, the
    // settings and the background. The other view tabs keep theirs.
    void ApplyLink(const TViewLink& link);

    // Renders the frame of the tab shown (a cleared frame on Config and
    // About) and returns its status text, empty where the tab has none.
    std::string Render();
    const uint32_t* Frame() const { return Scene.MainRender.ColorBuffer; }

private:
    TTabScrollPos& Current() { return Positions[static_cast<size_t>(LastViewTab)]; }
    const TTabScrollPos& Current() const { return Positions[static_cast<size_t>(LastViewTab)]; }

    TScene Scene;
    bool Ready = false;
    int32_t CurrentTab = 0;
    int32_t LastViewTab = 0;
    std::array<TTabScrollPos, ViewTabCount> Positions = InitialTabScrollPos;
    std::array<DragAnchor, ViewTabCount> Anchors{};
    int32_t TypeCSections = TypeCSectionInitial;
    int32_t TypeDSections = TypeDSectionInitial;
    int32_t TypeDLevel = TypeDLevelInitial;
    bool TypeCSingle = false;
    bool TypeDSingle = false;
    uint8_t Mode = 0;
    uint32_t BackgroundRgb = 0x000000;
};
