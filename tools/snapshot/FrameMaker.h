#pragma once
// The tool's scene: view states rendered at an export scale, supersampled.
#include <cstdint>
#include <optional>
#include <vector>

#include "Scene.h"
#include "View.h"

class TFrameMaker {
public:
    // `background` is 0xRRGGBB, as the colour dialog gives it.
    TFrameMaker(int32_t scale, int32_t aa, uint32_t background);

    bool Loaded() const { return Ready; }
    int32_t Width() const { return RenderWidth * Scale; }
    int32_t Height() const { return RenderHeight * Scale; }

    // Renders `state` into Frame() (Width x Height pixels, 0x??RRGGBB, row 0
    // at the top) and returns its status text.
    std::optional<TStatusText> Render(const TViewState& state);
    const uint32_t* Frame() const { return Aa == 1 ? Scene.MainRender.ColorBuffer : Averaged.data(); }

private:
    TScene Scene;
    int32_t Scale;
    int32_t Aa;
    bool Ready;
    std::vector<uint32_t> Averaged;
};
