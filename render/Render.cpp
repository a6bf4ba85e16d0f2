#include "Render.h"

#include <algorithm>
#include <cstring>

#include "RenderHeap.h"

namespace {

// Fills in blocks of sixteen so that the compiler stores whole vector
// registers even where it does not vectorise plain loops (at -O2).
template <typename T>
void Fill(T* p, size_t n, T value) {
    constexpr size_t Block = 16;
    size_t i = 0;
    for (; i + Block <= n; i += Block) {
        for (size_t k = 0; k < Block; ++k) p[i + k] = value;
    }
    for (; i < n; ++i) p[i] = value;
}

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

TRender::TRender() {
    SolidTexel = RenderHeap::AllocArray<uint32_t>(1);
    *SolidTexel = 0;
}

TRender::~TRender() {
    FreeBlocks();
    RenderHeap::Free(SolidTexel);
}

void TRender::FreeBlocks() {
    RenderHeap::Free(BitmapInfo);
    RenderHeap::Free(ColorBuffer);
    RenderHeap::Free(DepthBuffer);
    BitmapInfo = nullptr;
    ColorBuffer = nullptr;
    DepthBuffer = nullptr;
    FreeObjects(LeftEdges);
    FreeObjects(RightEdges);
    FreeObjects(VertexPool);
    PoolVertices = {};
    Screen = {};
    LeftEnds = {};
    RightEnds = {};
    DepthEnds = {};
    PoolCount = 0;
    Width = 0;
    Height = 0;
}

void TRender::SetSize(int32_t width, int32_t height) {
    FreeBlocks();
    if (width <= 0 || height <= 0 || width > MaxDimension || height > MaxDimension) return;
    Width = width;
    Height = height;
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    ColorBuffer = RenderHeap::AllocArray<uint32_t>(pixels + VectorSlack);
    DepthBuffer = RenderHeap::AllocArray<int32_t>(pixels + VectorSlack);
    BitmapInfo = RenderHeap::AllocArray<uint8_t>(BitmapInfoSize);
    FillBitmapInfo();

    for (int32_t row = 0; row < height; ++row) {
        LeftEdges.Add(new TScanLine);
        RightEdges.Add(new TScanLine);
    }
    LeftEnds.assign(static_cast<size_t>(height), TRowEnd{});
    RightEnds.assign(static_cast<size_t>(height), TRowEnd{});
    DepthEnds.assign(2 * static_cast<size_t>(height), 0);
    PoolVertices.reserve(MaxPrimitiveVertices);
    for (int32_t i = 0; i < MaxPrimitiveVertices; ++i) {
        auto* vertex = new TLVertex;
        VertexPool.Add(vertex);
        PoolVertices.push_back(vertex);
    }
    Screen.assign(MaxPrimitiveVertices, TScreenVertex{});
}

// BITMAPINFOHEADER, little-endian, then 4 zero bytes: biSize 40, the size with a
// positive (bottom-up) height, one plane, 32 bits, BI_RGB and zero counts.
void TRender::FillBitmapInfo() {
    std::memset(BitmapInfo, 0, BitmapInfoSize);
    Put32(BitmapInfo + 0, 40);
    Put32(BitmapInfo + 4, static_cast<uint32_t>(Width));
    Put32(BitmapInfo + 8, static_cast<uint32_t>(Height));
    Put16(BitmapInfo + 12, 1);
    Put16(BitmapInfo + 14, 32);
}

void TRender::Clear() {
    if (!ColorBuffer || !DepthBuffer) return;
    const size_t pixels = static_cast<size_t>(Width) * static_cast<size_t>(Height);
    Fill(ColorBuffer, pixels, BackColor);
    Fill(DepthBuffer, pixels, EmptyDepth);
}
