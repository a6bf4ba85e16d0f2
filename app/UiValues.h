#pragma once
// The interface values of the application that need no window system: the
// interface strings, the per-tab scroll tables, the drag anchor record and the
// About text.
#include <array>
#include <cstdint>
#include <string>

#include "View.h"

inline constexpr std::array<const char*, 21> UiStrings = {
    "+",        "O",         "Section",   "Level",    "Single",   "OnTop",    "Help",
    "hsvCircle", "hsvPlane", "CubeFront", "CubeRight", "CubeBack", "CubeLeft", "CubeTop",
    "CubeBottom", "TypeA",   "TypeB",     "TypeC",    "TypeD",    "Config",   "About"};

// Indices into UiStrings.
inline constexpr int32_t FirstTabCaption = 15;
inline constexpr int32_t TabCount = 6;

enum class TTab : int32_t { TypeA = 0, TypeB, TypeC, TypeD, Config, About };
inline constexpr int32_t ViewTabCount = 4;  // TypeA..TypeD show the view page

constexpr bool IsViewTab(int32_t tab) { return tab >= 0 && tab < ViewTabCount; }

// Saved positions of ViewScrollH1, ViewScrollH2 and ViewScrollV of one view
// tab; the first-visit positions and the ranges are the view renderer's.
using TTabScroll = TTabScrollPos;
inline constexpr const std::array<int32_t, ViewTabCount>& TabScrollMax = ViewTabScrollMax;
inline constexpr int32_t HScrollMax = ViewHScrollMax;

// Cursor position at the left-button-down and the positions of ViewScrollH1
// and ViewScrollV at that moment.
struct DragAnchor {
    int32_t X{}, Y{}, H1Pos{}, VPos{};
};

// The seven lines of the About page, joined by CR LF.
std::string AboutText();
