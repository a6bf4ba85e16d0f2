#pragma once
// The drawing half of the view controller: a view state (tab and scroll
// positions, the TypeC and TypeD settings) turned into a frame in
// MainRender and the status text. The application reads its controls into a
// TViewState, calls RenderView, writes the status and repaints the view page.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

class TScene;

enum class TViewTab : int32_t { TypeA = 0, TypeB = 1, TypeC = 2, TypeD = 3 };

struct TTabScrollPos {
    int32_t H1, H2, V;
};

// Maximum of the vertical view bar per view tab, and of both horizontal bars.
inline constexpr std::array<int32_t, 4> ViewTabScrollMax{100, 63, 63, 63};
inline constexpr int32_t ViewHScrollMax = 63;
// The positions each view tab shows on its first visit.
inline constexpr std::array<TTabScrollPos, 4> InitialTabScrollPos{{{0, 0, 100}, {4, 0, 4}, {4, 0, 4}, {0, 0, 4}}};

// Ranges and start values of the Config settings.
inline constexpr int32_t TypeCSectionMin = 1, TypeCSectionMax = 32, TypeCSectionInitial = 2;
inline constexpr int32_t TypeDSectionMin = 1, TypeDSectionMax = 10, TypeDSectionInitial = 10;
inline constexpr int32_t TypeDLevelMin = 1, TypeDLevelMax = 10, TypeDLevelInitial = 10;

struct TViewState {
    int32_t Tab = 0;  // tab index of the page control; above 3 draws nothing
    int32_t H1 = InitialTabScrollPos[0].H1;
    int32_t H2 = InitialTabScrollPos[0].H2;
    int32_t V = InitialTabScrollPos[0].V;
    int32_t TypeCSections = TypeCSectionInitial;
    bool TypeCSingle = false;
    int32_t TypeDSections = TypeDSectionInitial;
    int32_t TypeDLevel = TypeDLevelInitial;
    bool TypeDSingle = false;
};

// Puts the positions in `state` for its tab: each one given, or else the one
// the tab shows on its first visit.
void SetPositionsOrFirstVisit(TViewState& state, std::optional<int32_t> h1, std::optional<int32_t> h2,
                              std::optional<int32_t> v);

// The status line in the program's ANSI code page (932) and as UTF-16.
struct TStatusText {
    std::string Ansi;
    std::u16string Wide;
};

// The status line in UTF-8, for front ends and files outside Win32.
std::string StatusUtf8(const TStatusText& status);

// p * 360 / 63, rounded half to even: the degrees shown for position p.
int32_t PositionToDegrees(int32_t p);

// Renders the frame for `state` exactly as a scroll-bar change does: clears
// SceneReady and the frame, draws the tab's solid, sets SceneReady. Returns the
// status text, or none for a tab that shows no solid.
std::optional<TStatusText> RenderView(TScene& scene, const TViewState& state);

// What a switch to view tab `tab` does to the renderer: culling on for TypeB,
// off for TypeC and TypeD (TypeA sets it per solid while drawing).
void ApplyTabChange(TScene& scene, int32_t tab);

// The frame the program shows for `state` once its tab was chosen and its
// positions set: the renderer's switches as the tab change leaves them, then
// the frame from the positions and settings alone. So every render of a
// series reproduces the program's frame, whatever was drawn before.
std::optional<TStatusText> RenderShownView(TScene& scene, const TViewState& state);

// Sizes the frame `scale` times as wide and high and draws every solid `scale`
// times as large about the frame centre: the same view, in more pixels. For
// export only; the program's frame is scale 1.
void SetViewScale(TScene& scene, int32_t scale);
