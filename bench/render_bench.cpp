// Baselines of the software renderer on the program's 300 x 220 frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "Matrix.h"
#include "ObjectList.h"
#include "Primitive.h"
#include "Render.h"
#include "RenderHeap.h"
#include "Vertex.h"

namespace {

constexpr int32_t FrameWidth = 300, FrameHeight = 220;
constexpr int64_t FramePixels = int64_t{FrameWidth} * FrameHeight;

class TBenchModel {
public:
    ~TBenchModel() { FreeObjects(List); }
    TPrimitive* Add(uint32_t color) {
        auto* p = new TPrimitive;
        p->Color = color;
        p->DiffuseLevel = 0.9f;
        p->SpecularLevel = 0.4f;
        p->SpecularPower = 8;
        List.Add(p);
        return p;
    }
    TObjectList List;
};

void AddVertex(TPrimitive& p, float x, float y, float u, float v, float nx, float ny) {
    auto* vertex = new TVertex;
    vertex->X = x, vertex->Y = y, vertex->U = u, vertex->V = v;
    vertex->NX = nx, vertex->NY = ny, vertex->NZ = 0.9f;
    p.Vertices.Add(vertex);
}

void SetIndices(TPrimitive& p, const std::vector<int16_t>& indices) {
    AllocIndices(p, static_cast<int32_t>(indices.size()));
    std::memcpy(p.Indices, indices.data(), indices.size() * sizeof(int16_t));
}

TTexture* Texture256() {
    auto* t = new TTexture;
    t->Width = t->Height = 256;
    t->Shift = 8;
    t->Pixels = RenderHeap::AllocArray<uint32_t>(256 * 256);
    for (uint32_t i = 0; i < 256 * 256; ++i) t->Pixels[i] = (i & 0xFF) << 16 | (i >> 8) << 8 | 0x40;
    return t;
}

// A textured quad a little larger than the frame, so every pixel is drawn.
void BuildFullFrameQuad(TBenchModel& model) {
    TPrimitive& p = *model.Add(0);
    p.Texture = Texture256();
    const float hx = FrameWidth / 2.0f + 2, hy = FrameHeight / 2.0f + 2;
    AddVertex(p, -hx, hy, 0, 0, -0.3f, 0.2f);
    AddVertex(p, hx, hy, 1, 0, 0.3f, 0.2f);
    AddVertex(p, hx, -hy, 1, 1, 0.3f, -0.2f);
    AddVertex(p, -hx, -hy, 0, 1, -0.3f, -0.2f);
    SetIndices(p, {0, 1, 2, 0, 2, 3});
}

// 2,000 clockwise triangles of about 12 pixels each, spread over the frame in
// four primitives (the pool holds 2,048 vertices).
void BuildSmallTriangles(TBenchModel& model) {
    constexpr int PerPrimitive = 500;
    for (int part = 0; part < 4; ++part) {
        TPrimitive& p = *model.Add(0x00C08040);
        std::vector<int16_t> indices;
        for (int t = 0; t < PerPrimitive; ++t) {
            const int n = part * PerPrimitive + t;
            const float x = -145.0f + static_cast<float>((n * 7) % 290);
            const float y = 105.0f - static_cast<float>((n * 13) % 210);
            AddVertex(p, x, y, 0, 0, 0, 0);
            AddVertex(p, x + 5.0f, y, 0, 0, 0, 0);
            AddVertex(p, x, y - 5.0f, 0, 0, 0, 0);
            for (int k = 0; k < 3; ++k) indices.push_back(static_cast<int16_t>(3 * t + k));
        }
        SetIndices(p, indices);
    }
}

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
