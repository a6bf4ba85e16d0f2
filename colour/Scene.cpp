#include "Scene.h"

#include "CellSolids.h"
#include "ModelLoader.h"
#include "Primitive.h"

void FreeModelPrimitives(TObjectList& model) {
    for (int32_t i = 0; i < model.Count(); ++i) delete model.Get(i);
    model.Clear();
}

void TModelDeleter::operator()(TObjectList* model) const {
    if (!model) return;
    FreeModelPrimitives(*model);
    delete model;
}

uint32_t FixedButtonFaceColor() { return 0xC0C0C0; }

TScene::~TScene() {
    SceneReady = false;
    OstwaltCells.fill(nullptr);
    for (auto& row : MunsellCells) row.fill(nullptr);
    HueCirclePixels = nullptr;
    HuePlanePixels = nullptr;
    for (SceneSlot& slot : Scenes) slot.Model.reset();
}

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
