#pragma once
// Shared helpers of the colour suites: a scene loaded as the program loads it
// at start-up, and pixel access.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "LoadScene.h"

class LoadedScene : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadScene(Scene)); }

    TPrimitive* Cell(TSceneSlotId slot, int32_t k) { return Scene.Slot(slot).Model->GetAs<TPrimitive>(k); }
    uint32_t FramePixel(int32_t x, int32_t y) const {
        return Scene.MainRender.ColorBuffer[y * Scene.MainRender.Width + x];
    }
    // The distinct colours of the frame, top byte included.
    std::set<uint32_t> FrameColours() const {
        const TRender& r = Scene.MainRender;
        return {r.ColorBuffer, r.ColorBuffer + static_cast<size_t>(r.Width) * static_cast<size_t>(r.Height)};
    }

    TScene Scene;
};
