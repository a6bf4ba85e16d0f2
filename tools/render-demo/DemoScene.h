#pragma once
// The demo's frame: a textured quad and a few lit triangles, drawn once.
#include "ObjectList.h"
#include "Render.h"

class TDemoScene {
public:
    static constexpr int32_t FrameWidth = 300, FrameHeight = 220;

    TDemoScene();
    ~TDemoScene();
    TDemoScene(const TDemoScene&) = delete;
    TDemoScene& operator=(const TDemoScene&) = delete;

    TRender Render;

private:
    TObjectList Quad;       // of TPrimitive, owned
    TObjectList Triangles;  // of TPrimitive, owned
};
