#pragma once
// The tool strip's and the colour choice's rules, free of any window system:
// which setting the minus and plus buttons step, which "Single" switch the
// strip's check box mirrors, what the mode button says, and the frame
// background a chosen colour gives.
#include <cstdint>

#include "View.h"

enum class TSetting : int32_t { TypeCSections, TypeDSections, TypeDLevel };

struct TSettingRange {
    int32_t Min, Max;
};

constexpr TSettingRange RangeOf(TSetting s) {
    switch (s) {
    case TSetting::TypeCSections: return {TypeCSectionMin, TypeCSectionMax};
    case TSetting::TypeDSections: return {TypeDSectionMin, TypeDSectionMax};
    case TSetting::TypeDLevel: break;
    }
    return {TypeDLevelMin, TypeDLevelMax};
}

// TypeC steps its section count; TypeD steps its level in mode 0 and its
// page count in mode 1.
constexpr TSetting StepSettingFor(int32_t tab, uint8_t typeDMode) {
    if (tab == static_cast<int32_t>(TViewTab::TypeC)) return TSetting::TypeCSections;
    return typeDMode == 0 ? TSetting::TypeDLevel : TSetting::TypeDSections;
}

// The strip's check box stands for TypeD's switch on TypeD, else TypeC's.
constexpr bool CheckIsTypeDSingle(int32_t tab) { return tab == static_cast<int32_t>(TViewTab::TypeD); }

// The index into UiStrings of the mode button's caption on TypeD: "Level" in
// mode 0, "Section" in mode 1.
constexpr int32_t TypeDModeCaption(uint8_t typeDMode) { return typeDMode == 0 ? 3 : 2; }

// The renderer's background (0xAARRGGBB, opaque) for a colour 0x00RRGGBB.
constexpr uint32_t BackColorOf(uint32_t rgb) { return 0xFF000000u | (rgb & 0xFFFFFFu); }
