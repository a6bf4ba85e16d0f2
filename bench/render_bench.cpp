// Baselines of the software renderer on the program's 300 x 220 frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "FrameCases.h"
#include "Render.h"

namespace {

constexpr int32_t FrameWidth = 300, FrameHeight = 220;
constexpr int64_t FramePixels = int64_t{FrameWidth} * FrameHeight;

void BM_Clear(benchmark::State& state) {
    TRender render;
    render.SetSize(FrameWidth, FrameHeight);
    for (auto _ : state) {
        render.Clear();
        benchmark::DoNotOptimize(render.ColorBuffer);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * FramePixels * 8);
}
BENCHMARK(BM_Clear);

// The same bytes as Clear: both buffers, with memset.
void BM_MemsetSameBytes(benchmark::State& state) {
    std::vector<uint32_t> color(FramePixels), depth(FramePixels);
    for (auto _ : state) {
        std::memset(color.data(), 0x20, color.size() * sizeof(uint32_t));
        std::memset(depth.data(), 0x7F, depth.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(color.data());
        benchmark::DoNotOptimize(depth.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * FramePixels * 8);
}
BENCHMARK(BM_MemsetSameBytes);

void DrawRepeatedly(benchmark::State& state, const TBenchModel& model, bool lit, int64_t itemsPerFrame) {
    TRender render;
    render.SetSize(FrameWidth, FrameHeight);
    render.Lighting = lit;
    for (auto _ : state) {
        state.PauseTiming();
        render.Clear();  // a fresh depth buffer, or every later pixel fails the test
        state.ResumeTiming();
        render.DrawList(model.List);
        benchmark::ClobberMemory();
    }
    int64_t drawn = 0;
    for (int64_t i = 0; i < FramePixels; ++i) drawn += render.DepthBuffer[i] != TRender::EmptyDepth;
    state.counters["drawn_pixels"] = static_cast<double>(drawn);
    state.counters["pixels_per_second"] =
        benchmark::Counter(static_cast<double>(FramePixels), benchmark::Counter::kIsIterationInvariantRate);
    state.SetItemsProcessed(state.iterations() * itemsPerFrame);
}

void BM_FullFrameTexturedQuad(benchmark::State& state) {
    TBenchModel model;
    BuildFullFrameQuad(model);
    DrawRepeatedly(state, model, false, 1);
}
BENCHMARK(BM_FullFrameTexturedQuad);

void BM_FullFrameLitQuad(benchmark::State& state) {
    TBenchModel model;
    BuildFullFrameQuad(model);
    DrawRepeatedly(state, model, true, 1);
}
BENCHMARK(BM_FullFrameLitQuad);

void BM_SmallTriangles2000(benchmark::State& state) {
    TBenchModel model;
    BuildSmallTriangles(model);
    DrawRepeatedly(state, model, false, 2000);
    state.counters.erase("pixels_per_second");
}
BENCHMARK(BM_SmallTriangles2000);

}  // namespace
