#include "View.h"

#include <algorithm>
#include <cmath>

#include "CellSolids.h"
#include "Rounding.h"
#include "Scene.h"
#include "Textures.h"

namespace {

// The two words of the TypeA status, hue and lightness, in code page 932 and
// in UTF-16.
constexpr const char* HueWordAnsi = "\x90\x46\x91\x8A";
constexpr const char* ValueWordAnsi = "\x96\xBE\x93\x78";
constexpr const char16_t* HueWordWide = u"\u8272\u76F8";
constexpr const char16_t* ValueWordWide = u"\u660E\u5EA6";

int32_t RoundHalfEven(double x) { return Nearest(x); }
float Single(double x) { return static_cast<float>(x); }
// The angle applied for position p: -p / 10 radians.
float PositionToAngle(int32_t p) { return Single(-static_cast<double>(p) / 10); }

// The status pieces besides the two words are ASCII.
std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TStatusText HueValueStatus(int32_t hue, int32_t value) {
    const std::string huePart = "=" + std::to_string(hue) + " / ";
    const std::string valuePart = "=" + std::to_string(value);
    return {HueWordAnsi + huePart + ValueWordAnsi + valuePart,
            HueWordWide + Widen(huePart) + ValueWordWide + Widen(valuePart)};
}

TStatusText AngleStatus(int32_t first, int32_t h1, int32_t h2) {
    const std::string text = "( " + std::to_string(first) + " , " + std::to_string(PositionToDegrees(h1)) + " , " +
                             std::to_string(PositionToDegrees(h2)) + " )";
    return {text, Widen(text)};
}

void DrawSolid(TScene& scene, TSceneSlotId id, float y) {
    const SceneSlot& slot = scene.Slot(id);
    TMatrix& m = scene.ViewMatrix;
    m.Reset();
    m.Scale(100, 100, 100);
    m.Translate(0, y, 0);
    m.RotateY(slot.RotY);
    m.RotateX(slot.RotX);
    m.RotateZ(slot.RotZ);
    if (scene.ViewScale != 1) {
        const auto s = static_cast<float>(scene.ViewScale);
        m.Scale(s, s, s);
    }
    scene.MainRender.SetMatrix(m);
    if (slot.Model) scene.MainRender.DrawList(*slot.Model);
}

TStatusText DrawTypeA(TScene& scene, const TViewState& state) {
    const int32_t a = state.H1;
    const int32_t b = state.H2;
    scene.Slot(TSceneSlotId::HueCircle).RotY = PositionToAngle(a);
    scene.Slot(TSceneSlotId::HuePlane).RotY = PositionToAngle(b);
    const int32_t hue = PositionToDegrees(a) - PositionToDegrees(b);
    if (hue != scene.LastPlaneHue) {
        BuildHuePlane(scene, scene.HuePlanePixels, 128, hue);
        scene.LastPlaneHue = hue;
    }
    const int32_t max = ViewTabScrollMax[0];
    const int32_t v = std::clamp(state.V, 0, max);
    const float circleY = Single(scene.CircleLift + static_cast<double>(scene.ViewBaseY) + (max - v));
    const int32_t value = RoundHalfEven(static_cast<double>(v * 255) / max);
    if (value != scene.LastCircleValue) {
        BuildHueCircle(scene, scene.HueCirclePixels, 256, value, scene.ButtonFace());
        scene.LastCircleValue = value;
    }
    TStatusText status = HueValueStatus(scene.LastPlaneHue, value);
    // The plane shows from both sides; culling stays on after the circle.
    scene.MainRender.CullBackFaces = false;
    DrawSolid(scene, TSceneSlotId::HuePlane, Single(scene.ViewBaseY + 60.0));
    scene.MainRender.CullBackFaces = true;
    DrawSolid(scene, TSceneSlotId::HueCircle, circleY);
    return status;
}

void SetSlotAngles(SceneSlot& slot, const TViewState& state) {
    slot.RotX = PositionToAngle(state.V);
    slot.RotY = PositionToAngle(state.H1);
    slot.RotZ = PositionToAngle(state.H2);
}

void DrawTypeC(TScene& scene, const TViewState& state) {
    SceneSlot& slot = scene.Slot(TSceneSlotId::Ostwalt);
    const int32_t n = std::clamp(state.TypeCSections, TypeCSectionMin, TypeCSectionMax);
    const float hueStep = Single(64.0 / n);
    const float rotStep = Single(static_cast<double>(Single(4.0 / n)) * 1.6);
    const float y = Single(scene.ViewBaseY - 10.0);
    if (state.TypeCSingle) {
        slot.RotY = Single(slot.RotY + n * 0.2);
        PaintOstwaltSection(scene, RoundHalfEven(n / 32.0 * 360));
        DrawSolid(scene, TSceneSlotId::Ostwalt, y);
        return;
    }
    for (int32_t k = 0; k < n; ++k) {
        PaintOstwaltSection(scene, RoundHalfEven(k * static_cast<double>(hueStep) * 360 / 63));
        DrawSolid(scene, TSceneSlotId::Ostwalt, y);
        slot.RotY = Single(static_cast<double>(slot.RotY) + rotStep);
    }
}

void DrawTypeD(TScene& scene, const TViewState& state) {
    SceneSlot& slot = scene.Slot(TSceneSlotId::Munsell);
    constexpr float pageTurn = 0.64f;  // 0x3F23D70A
    const int32_t cut = 9 - std::clamp(state.TypeDLevel, TypeDLevelMin, TypeDLevelMax);
    const int32_t last = std::clamp(state.TypeDSections, TypeDSectionMin, TypeDSectionMax) - 1;
    const float y = Single(scene.ViewBaseY + 40.0);
    if (state.TypeDSingle) {
        slot.RotY = Single(slot.RotY + last * static_cast<double>(pageTurn));
        PaintMunsellPage(scene, last, cut);
        DrawSolid(scene, TSceneSlotId::Munsell, y);
        return;
    }
    for (int32_t page = 0; page <= last; ++page) {
        PaintMunsellPage(scene, page, cut);
        DrawSolid(scene, TSceneSlotId::Munsell, y);
        slot.RotY = Single(static_cast<double>(slot.RotY) + pageTurn);
    }
}

}  // namespace

int32_t PositionToDegrees(int32_t p) { return RoundHalfEven(static_cast<double>(p) * 360 / 63.0); }

std::optional<TStatusText> RenderView(TScene& scene, const TViewState& state) {
    scene.SceneReady = false;
    scene.MainRender.Clear();
    std::optional<TStatusText> status;
    switch (state.Tab) {
        case static_cast<int32_t>(TViewTab::TypeA):
            status = DrawTypeA(scene, state);
            break;
        case static_cast<int32_t>(TViewTab::TypeB):
            SetSlotAngles(scene.Slot(TSceneSlotId::ColorBox), state);
            status = AngleStatus(PositionToDegrees(state.V), state.H1, state.H2);
            DrawSolid(scene, TSceneSlotId::ColorBox, scene.ViewBaseY);
            break;
        case static_cast<int32_t>(TViewTab::TypeC):
            SetSlotAngles(scene.Slot(TSceneSlotId::Ostwalt), state);
            status = AngleStatus(360 - PositionToDegrees(state.V), state.H1, state.H2);
            DrawTypeC(scene, state);
            break;
        case static_cast<int32_t>(TViewTab::TypeD):
            SetSlotAngles(scene.Slot(TSceneSlotId::Munsell), state);
            status = AngleStatus(PositionToDegrees(state.V), state.H1, state.H2);
            DrawTypeD(scene, state);
            break;
        default:
            break;
    }
    scene.SceneReady = true;
    return status;
}

void SetViewScale(TScene& scene, int32_t scale) {
    scene.ViewScale = scale;
    scene.MainRender.SetSize(RenderWidth * scale, RenderHeight * scale);
}

void ApplyTabChange(TScene& scene, int32_t tab) {
    if (tab == static_cast<int32_t>(TViewTab::TypeB)) scene.MainRender.CullBackFaces = true;
    if (tab == static_cast<int32_t>(TViewTab::TypeC) || tab == static_cast<int32_t>(TViewTab::TypeD)) {
        scene.MainRender.CullBackFaces = false;
    }
}

void SetPositionsOrFirstVisit(TViewState& state, std::optional<int32_t> h1, std::optional<int32_t> h2,
                              std::optional<int32_t> v) {
    const TTabScrollPos& first = InitialTabScrollPos[static_cast<size_t>(std::clamp(state.Tab, 0, 3))];
    state.H1 = h1.value_or(first.H1);
    state.H2 = h2.value_or(first.H2);
    state.V = v.value_or(first.V);
}

std::optional<TStatusText> RenderShownView(TScene& scene, const TViewState& state) {
    ApplyTabChange(scene, state.Tab);
    return RenderView(scene, state);
}

std::string StatusUtf8(const TStatusText& status) {
    const std::u16string& text = status.Wide;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr uint32_t Lead[] = {0, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(Lead[trail] | c >> (6 * trail));
        for (int k = trail - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}
