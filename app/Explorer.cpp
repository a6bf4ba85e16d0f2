#include "Explorer.h"

#include <algorithm>

#include "LoadScene.h"

TExplorer::TExplorer() {
    Ready = LoadScene(Scene) && Scene.MainRender.ColorBuffer != nullptr;
    Scene.MainRender.BackColor = BackColorOf(BackgroundRgb);
}

void TExplorer::SelectTab(int32_t tab) {
    if (tab < 0 || tab >= TabCount) return;
    CurrentTab = tab;
    if (IsViewTab(tab)) LastViewTab = tab;
}

int32_t TExplorer::Position(TViewBar bar) const {
    const TTabScrollPos& p = Current();
    return bar == TViewBar::H1 ? p.H1 : bar == TViewBar::H2 ? p.H2 : p.V;
}

int32_t TExplorer::BarMax(TViewBar bar) const {
    return bar == TViewBar::V ? TabScrollMax[static_cast<size_t>(LastViewTab)] : HScrollMax;
}

void TExplorer::SetPosition(TViewBar bar, int32_t position) {
    TTabScrollPos& p = Current();
    int32_t& target = bar == TViewBar::H1 ? p.H1 : bar == TViewBar::H2 ? p.H2 : p.V;
    target = std::clamp(position, 0, BarMax(bar));
}

int32_t TExplorer::Setting(TSetting s) const {
    switch (s) {
    case TSetting::TypeCSections: return TypeCSections;
    case TSetting::TypeDSections: return TypeDSections;
    case TSetting::TypeDLevel: break;
    }
    return TypeDLevel;
}

void TExplorer::SetSetting(TSetting s, int32_t value) {
    const TSettingRange range = RangeOf(s);
    value = std::clamp(value, range.Min, range.Max);
    switch (s) {
    case TSetting::TypeCSections: TypeCSections = value; return;
    case TSetting::TypeDSections: TypeDSections = value; return;
    case TSetting::TypeDLevel: TypeDLevel = value; return;
    }
}

bool TExplorer::Single(TViewTab tab) const { return tab == TViewTab::TypeD ? TypeDSingle : TypeCSingle; }

void TExplorer::SetSingle(TViewTab tab, bool single) { (tab == TViewTab::TypeD ? TypeDSingle : TypeCSingle) = single; }

bool TExplorer::ShowsTools() const {
    return CurrentTab == static_cast<int32_t>(TViewTab::TypeC) || CurrentTab == static_cast<int32_t>(TViewTab::TypeD);
}

void TExplorer::ToggleTypeDMode() {
    if (CurrentTab == static_cast<int32_t>(TViewTab::TypeD)) Mode ^= 1;
}

std::string TExplorer::ModeCaption() const {
    if (CurrentTab == static_cast<int32_t>(TViewTab::TypeC)) return UiStrings[2];
    if (CurrentTab == static_cast<int32_t>(TViewTab::TypeD)) return UiStrings[static_cast<size_t>(TypeDModeCaption(Mode))];
    return {};
}

void TExplorer::Step(int32_t delta) {
    if (!ShowsTools()) return;
    const TSetting s = StepSetting();
    SetSetting(s, Setting(s) + delta);
}

bool TExplorer::ToolChecked() const {
    return CheckIsTypeDSingle(CurrentTab) ? TypeDSingle : TypeCSingle;
}

void TExplorer::SetToolChecked(bool checked) {
    SetSingle(CheckIsTypeDSingle(CurrentTab) ? TViewTab::TypeD : TViewTab::TypeC, checked);
}

void TExplorer::SetBackground(uint32_t rgb) {
    BackgroundRgb = rgb & 0xFFFFFFu;
    Scene.MainRender.BackColor = BackColorOf(BackgroundRgb);
}

void TExplorer::DragStart(int32_t x, int32_t y) {
    if (!IsViewTab(CurrentTab)) return;
    // The window reports cursor positions as unsigned 16-bit words.
    Anchors[static_cast<size_t>(CurrentTab)] = {static_cast<uint16_t>(x), static_cast<uint16_t>(y),
                                                Position(TViewBar::H1), Position(TViewBar::V)};
}

void TExplorer::DragMove(int32_t x, int32_t y, int32_t pageWidth, int32_t pageHeight, bool shift, bool control) {
    if (!IsViewTab(CurrentTab)) return;
    const auto target = DragTarget(Anchors[static_cast<size_t>(CurrentTab)], CurrentTab, static_cast<uint16_t>(x),
                                   static_cast<uint16_t>(y), pageWidth, pageHeight);
    if (!target) return;
    const TDragAction action = DragActionFor(shift, control);
    if (action != TDragAction::VOnly) SetPosition(TViewBar::H1, target->H1);
    if (action != TDragAction::H1Only) SetPosition(TViewBar::V, target->V);
}

TViewLink TExplorer::Link() const {
    TViewLink link;
    TViewState& v = link.View;
    v.Tab = LastViewTab;
    v.H1 = Current().H1;
    v.H2 = Current().H2;
    v.V = Current().V;
    v.TypeCSections = TypeCSections;
    v.TypeCSingle = TypeCSingle;
    v.TypeDSections = TypeDSections;
    v.TypeDLevel = TypeDLevel;
    v.TypeDSingle = TypeDSingle;
    link.Background = BackgroundRgb;
    return link;
}

void TExplorer::ApplyLink(const TViewLink& link) {
    const TViewState& v = link.View;
    SelectTab(IsViewTab(v.Tab) ? v.Tab : 0);
    SetPosition(TViewBar::H1, v.H1);
    SetPosition(TViewBar::H2, v.H2);
    SetPosition(TViewBar::V, v.V);
    SetSetting(TSetting::TypeCSections, v.TypeCSections);
    SetSetting(TSetting::TypeDSections, v.TypeDSections);
    SetSetting(TSetting::TypeDLevel, v.TypeDLevel);
    TypeCSingle = v.TypeCSingle;
    TypeDSingle = v.TypeDSingle;
    SetBackground(link.Background);
}

std::string TExplorer::Render() {
    if (!Ready) return {};
    TViewState state = Link().View;
    state.Tab = CurrentTab;
    const std::optional<TStatusText> status = RenderShownView(Scene, state);
    return status ? StatusUtf8(*status) : std::string();
}
