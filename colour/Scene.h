#pragma once
// The scene state shared by the colour solids, the renderer and the
// application: the five solids with their angles, the one renderer and matrix
// that every frame goes through, the two scratch lists of every gradient, and
// the flag that tells the paint handler whether a finished frame may be shown.
// The application owns one TScene for the life of its main window.
#include <array>
#include <cstdint>
#include <memory>

#include "IntegerList.h"
#include "Matrix.h"
#include "ObjectList.h"
#include "Render.h"
#include "TObject.h"

// Frees every primitive of a model list, then the list.
struct TModelDeleter {
    void operator()(TObjectList* model) const;
};
using TModelPtr = std::unique_ptr<TObjectList, TModelDeleter>;

struct SceneSlot {
    TModelPtr Model;
    float RotX = -0.45f;  // 0xBEE66666
    float RotY = 0.0f;
    float RotZ = 0.0f;
};

enum class TSceneSlotId : int32_t { HueCircle = 0, HuePlane = 1, ColorBox = 2, Ostwalt = 3, Munsell = 4 };

inline constexpr int32_t RenderWidth = 300;
inline constexpr int32_t RenderHeight = 220;
inline constexpr int32_t SceneSlotCount = 5;
inline constexpr int32_t OstwaltCellCount = 36;
inline constexpr int32_t MunsellRows = 10;
inline constexpr int32_t MunsellColumns = 9;

// The button-face colour (a COLORREF) behind the hue-circle texture. On Win32
// the application installs GetSysColor(COLOR_BTNFACE); those texels are never
// painted, so elsewhere any fixed colour serves.
using TButtonFaceColorFn = uint32_t (*)();
uint32_t FixedButtonFaceColor();

class TScene : public TObject {
public:
    TScene() = default;
    ~TScene() override;  // clears SceneReady, frees the models in slot order

    SceneSlot& Slot(TSceneSlotId id) { return Scenes[static_cast<size_t>(id)]; }
    uint32_t ButtonFace() const { return ButtonFaceColor ? ButtonFaceColor() : FixedButtonFaceColor(); }

    // Declared in reverse order of destruction: models first, then MainRender,
    // ViewMatrix, ScratchListA, ScratchListB.
    TIntegerList ScratchListB;
    TIntegerList ScratchListA;
    TMatrix ViewMatrix;
    TRender MainRender;
    std::array<SceneSlot, SceneSlotCount> Scenes;

    bool SceneReady = false;
    float ViewBaseY = -110.0f;
    // Export only: the frame and every solid drawn this many times as large
    // (see SetViewScale); the program keeps 1.
    int32_t ViewScale = 1;
    TButtonFaceColorFn ButtonFaceColor = FixedButtonFaceColor;

    // Pixel buffers of the two regenerated textures, owned by their textures.
    uint32_t* HueCirclePixels = nullptr;
    uint32_t* HuePlanePixels = nullptr;
    int32_t LastPlaneHue = 0;
    int32_t LastCircleValue = 255;
    int32_t CircleLift = 60;

    // The Color fields of the cells, owned by their primitives.
    std::array<uint32_t*, OstwaltCellCount> OstwaltCells{};
    std::array<std::array<uint32_t*, MunsellColumns>, MunsellRows> MunsellCells{};
};
