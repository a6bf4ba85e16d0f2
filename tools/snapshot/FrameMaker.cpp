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
    std::optional<TStatusText> status = RenderShownView(Scene, state);
    if (Aa > 1) AverageBlocks(Scene.MainRender.ColorBuffer, Width(), Height(), Aa, Averaged.data());
    return status;
}
