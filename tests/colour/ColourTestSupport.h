#pragma once
// Shared helpers of the colour suites: a scene loaded as the program loads it
// at start-up, and pixel access.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "Scene.h"

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
    int32_t CountFrame(uint32_t colour) const {
        int32_t n = 0;
        const TRender& r = Scene.MainRender;
        for (int32_t i = 0; i < r.Width * r.Height; ++i) n += r.ColorBuffer[i] == colour;
        return n;
    }

    TScene Scene;
};

inline uint32_t TexturePixel(const uint32_t* pixels, int32_t size, int32_t row, int32_t column) {
    return pixels[row * size + column];
}
