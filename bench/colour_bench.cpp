// Frames of the colour solids and their texture generators, with the frame
// clear measured against memset of the same buffers in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "LoadScene.h"
#include "Textures.h"
#include "View.h"

namespace {

TScene& LoadedScene() {
    static TScene* scene = [] {
        auto* s = new TScene;
        if (!LoadScene(*s)) std::abort();
        return s;
    }();
    return *scene;
}

TViewState StartState(int32_t tab) {
    TViewState state;
    state.Tab = tab;
    state.H1 = InitialTabScrollPos[tab].H1;
    state.H2 = InitialTabScrollPos[tab].H2;
    state.V = InitialTabScrollPos[tab].V;
    return state;
}

void RenderFrames(benchmark::State& bench, const TViewState& state) {
    TScene& scene = LoadedScene();
    ApplyTabChange(scene, state.Tab);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(RenderView(scene, state));
        benchmark::ClobberMemory();
    }
}

void BM_FrameAtStartUp(benchmark::State& bench) { RenderFrames(bench, StartState(static_cast<int32_t>(bench.range(0)))); }
BENCHMARK(BM_FrameAtStartUp)->ArgName("tab")->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_TypeC32Sections(benchmark::State& bench) {
    TViewState state = StartState(2);
    state.TypeCSections = 32;
    RenderFrames(bench, state);
}
BENCHMARK(BM_TypeC32Sections)->Unit(benchmark::kMicrosecond);

void BM_TypeDAllPagesEveryChip(benchmark::State& bench) {
    TViewState state = StartState(3);
    state.TypeDSections = 10;
    state.TypeDLevel = 10;
    RenderFrames(bench, state);
}
BENCHMARK(BM_TypeDAllPagesEveryChip)->Unit(benchmark::kMicrosecond);

// How a frame's cost grows with its work: TypeD with 1 to 10 pages of every
// chip, TypeC with 1 to 32 sections. Each page or section is the same solid
// turned, so the work per frame grows with the count.
void BM_TypeDPages(benchmark::State& bench) {
    TViewState state = StartState(3);
    state.TypeDSections = static_cast<int32_t>(bench.range(0));
    state.TypeDLevel = 10;
    RenderFrames(bench, state);
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}
BENCHMARK(BM_TypeDPages)->ArgName("pages")->DenseRange(1, 10)->Unit(benchmark::kMicrosecond);

void BM_TypeCSections(benchmark::State& bench) {
    TViewState state = StartState(2);
    state.TypeCSections = static_cast<int32_t>(bench.range(0));
    RenderFrames(bench, state);
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}
BENCHMARK(BM_TypeCSections)->ArgName("sections")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
// The export tool's turntable: 64 frames of that view with the first
// horizontal bar stepped once round (63 positions make a round).
void BM_TypeDTurntable64Frames(benchmark::State& bench) {
    TScene& scene = LoadedScene();
    TViewState state = StartState(3);
    ApplyTabChange(scene, state.Tab);
    constexpr int32_t frames = 64;
    for (auto _ : bench) {
        for (int32_t k = 0; k < frames; ++k) {
            state.H1 = (k * 63 * 2 + frames) / (2 * frames) % 63;
            benchmark::DoNotOptimize(RenderView(scene, state));
        }
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * frames);
}
BENCHMARK(BM_TypeDTurntable64Frames)->Unit(benchmark::kMillisecond);

// A TypeA frame whose value level changes every time, so the hue circle is
// rebuilt inside each frame.
void BM_TypeAFrameWithNewValue(benchmark::State& bench) {
    TScene& scene = LoadedScene();
    TViewState state = StartState(0);
    for (auto _ : bench) {
        state.V = state.V == 100 ? 99 : 100;
        benchmark::DoNotOptimize(RenderView(scene, state));
    }
}
BENCHMARK(BM_TypeAFrameWithNewValue)->Unit(benchmark::kMicrosecond);

void BM_BuildHueCircle(benchmark::State& bench) {
    TScene& scene = LoadedScene();
    int32_t value = 0;
    for (auto _ : bench) {
        BuildHueCircle(scene, scene.HueCirclePixels, 256, value, 0xC0C0C0);
        value = (value + 1) & 0xFF;
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * 256 * 256);
}
BENCHMARK(BM_BuildHueCircle)->Unit(benchmark::kMicrosecond);

void BM_BuildHuePlane(benchmark::State& bench) {
    TScene& scene = LoadedScene();
    int32_t hue = 0;
    for (auto _ : bench) {
        BuildHuePlane(scene, scene.HuePlanePixels, 128, hue);
        hue = (hue + 7) % 360;
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * 128 * 128);
}
BENCHMARK(BM_BuildHuePlane)->Unit(benchmark::kMicrosecond);

void BM_Clear(benchmark::State& bench) {
    TRender& render = LoadedScene().MainRender;
    for (auto _ : bench) {
        render.Clear();
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(bench.iterations() * int64_t{RenderWidth} * RenderHeight * 8);
}
BENCHMARK(BM_Clear);

// The floor for Clear: memset of both buffers (a byte pattern, so not the same
// values, but the same stores).
void BM_MemsetBaseline(benchmark::State& bench) {
    TRender& render = LoadedScene().MainRender;
    const size_t bytes = static_cast<size_t>(RenderWidth) * RenderHeight * 4;
    for (auto _ : bench) {
        std::memset(render.ColorBuffer, 0, bytes);
        std::memset(render.DepthBuffer, 0x7F, bytes);
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(bytes) * 2);
}
BENCHMARK(BM_MemsetBaseline);

}  // namespace
