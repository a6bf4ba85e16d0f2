#pragma once
// The frames the benchmarks time, shared by the native benchmark programs and
// the web page's benchmark mode, so that both builds draw the same work: the
// heaviest views, each tab's first frame, and the renderer's baselines.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ObjectList.h"
#include "Render.h"
#include "Scene.h"

// A primitive list that frees its primitives.
class TBenchModel {
public:
    TBenchModel() = default;
    TBenchModel(const TBenchModel&) = delete;
    TBenchModel& operator=(const TBenchModel&) = delete;
    ~TBenchModel();
    TPrimitive* Add(uint32_t color);
    TObjectList List;
};

// A textured quad a little larger than the 300 x 220 frame, so every pixel is
// drawn; lit or not as the renderer is set.
void BuildFullFrameQuad(TBenchModel& model);
// 2,000 clockwise triangles of about 12 pixels each, spread over the frame in
// four primitives.
void BuildSmallTriangles(TBenchModel& model);

class TFrameCases {
public:
    TFrameCases();
    bool Loaded() const { return Ready; }

    size_t Count() const;
    std::string Name(size_t index) const;
    // Draws the case's frame once, from a cleared frame.
    void Draw(size_t index);
    // FNV-1a over the frame's colour values: the same in every build that
    // draws the same pixels.
    uint64_t FrameHash(size_t index) const;
    // Milliseconds per frame over `frames` frames, after one to warm up.
    double MillisecondsPerFrame(size_t index, int32_t frames);
    // The span fillers every case uses: the CPU's widest, or pixel by pixel.
    void SetSpanPath(TRender::TSpanPath path);

private:
    TScene Scene;
    TRender Quads;
    TBenchModel Quad, Triangles;
    bool Ready = false;
};
