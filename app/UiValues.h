#pragma once
// The interface values of the application that need no window system: the
// interface strings, the per-tab scroll tables, the drag anchor record and the
// About text.
#include <array>
#include <cstdint>
#include <string>

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

struct TTabScroll {
    int32_t H1{}, H2{}, V{};
    friend bool operator==(const TTabScroll&, const TTabScroll&) = default;
};

inline constexpr std::array<TTabScroll, ViewTabCount> InitialTabScrollPos = {
    TTabScroll{0, 0, 100}, TTabScroll{4, 0, 4}, TTabScroll{4, 0, 4}, TTabScroll{0, 0, 4}};
inline constexpr std::array<int32_t, ViewTabCount> TabScrollMax = {100, 63, 63, 63};
inline constexpr int32_t HScrollMax = 63;

// Cursor position at the left-button-down and the positions of ViewScrollH1
// and ViewScrollV at that moment.
struct DragAnchor {
    int32_t X{}, Y{}, H1Pos{}, VPos{};
};

// The seven lines of the About page, joined by CR LF.
std::string AboutText();
