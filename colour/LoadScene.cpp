#include "LoadScene.h"

#include "CellSolids.h"
#include "ModelLoader.h"

bool LoadScene(TScene& scene) {
    scene.ViewBaseY = static_cast<float>(-static_cast<double>(RenderHeight) / 2);
    scene.MainRender.SetSize(RenderWidth, RenderHeight);
    // The order of the start-up sequence: slots 0, 1, 3, 4, 2.
    scene.Slot(TSceneSlotId::HueCircle).Model = LoadModel(scene, "hsvCircle");
    scene.Slot(TSceneSlotId::HuePlane).Model = LoadModel(scene, "hsvPlane");
    scene.Slot(TSceneSlotId::Ostwalt).Model = LoadModel(scene, "Ostwalt");
    scene.Slot(TSceneSlotId::Munsell).Model = LoadModel(scene, "Munsell");
    scene.Slot(TSceneSlotId::ColorBox).Model = LoadModel(scene, "ColorBox");
    bool complete = true;
    for (const SceneSlot& slot : scene.Scenes) complete = complete && slot.Model;
    complete = BuildCellSolid(scene, TCellSolidKind::Ostwalt) && complete;
    complete = InitOstwaltCells(scene) && complete;
    complete = BuildCellSolid(scene, TCellSolidKind::Munsell) && complete;
    complete = InitMunsellCells(scene) && complete;
    scene.MainRender.Lighting = false;
    scene.MainRender.BackColor = 0xFF000000;
    scene.SceneReady = false;
    return complete;
}
