#include "Scene.h"

#include "Primitive.h"

void TModelDeleter::operator()(TObjectList* model) const {
    if (!model) return;
    FreeObjects(*model);
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
