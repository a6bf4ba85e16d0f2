#include "ModelLoader.h"

#include "ModelResource.h"
#include "ModelText.h"

TModelPtr LoadModel(TScene& scene, std::string_view name) {
    const auto text = FindModelResource(name);
    if (!text) return nullptr;
    TModelPtr model(new TObjectList);
    if (!ParseModelText(scene, *text, *model).Ok) return nullptr;
    return model;
}
