#include "FrameMaker.h"

#include "LoadScene.h"
#include "Supersample.h"

TFrameMaker::TFrameMaker(int32_t scale, int32_t aa, uint32_t background) : Scale(scale), Aa(aa) {
    Ready = LoadScene(Scene);
    // The samples: the view drawn Scale * Aa times as large.
    if (Scale * Aa != 1) SetViewScale(Scene, Scale * Aa);
    Ready = Ready && Scene.MainRender.ColorBuffer;
    Scene.MainRender.BackColor = 0xFF000000 | background;
    if (Aa > 1) Averaged.resize(static_cast<size_t>(Width()) * static_cast<size_t>(Height()));
}

std::optional<TStatusText> TFrameMaker::Render(const TViewState& state) {
    // Arriving at the tab through the tab control leaves the renderer's
    // switches as the tab change sets them; every other part of the frame
    // follows from the positions and settings alone, so one render
    // reproduces it, and so does every render of a series.
    ApplyTabChange(Scene, state.Tab);
    std::optional<TStatusText> status = RenderView(Scene, state);
    if (Aa > 1) AverageBlocks(Scene.MainRender.ColorBuffer, Width(), Height(), Aa, Averaged.data());
    return status;
}
