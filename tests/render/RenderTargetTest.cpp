// The render target: construction, sizing, clearing, the bitmap description,
// the return of every block, and frames that allocate nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "RenderTestSupport.h"

using namespace rendertest;

// Counts every global allocation and release of this test program.
namespace {
std::atomic<uint64_t> objectsNew{0};
std::atomic<uint64_t> objectsDeleted{0};

void Release(void* block) {
    if (block) objectsDeleted.fetch_add(1, std::memory_order_relaxed);
    std::free(block);
}
}  // namespace

void* operator new(std::size_t bytes) {
    objectsNew.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(bytes ? bytes : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }

namespace {

// Live blocks of RenderHeap and live objects of operator new since the mark.
struct TLiveCounts {
    int64_t HeapBlocks, Objects, HeapAllocations, News;

    static TLiveCounts Now() {
        return {static_cast<int64_t>(RenderHeap::AllocationCount() - RenderHeap::FreeCount()),
                static_cast<int64_t>(objectsNew.load() - objectsDeleted.load()),
                static_cast<int64_t>(RenderHeap::AllocationCount()), static_cast<int64_t>(objectsNew.load())};
    }
};

uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// Destroyed after main returns, after every test fixture: its blocks go back
// to a heap that must still be alive then (the program exits with 0).
TRender StaticRender;

TEST(RenderTarget, BlocksCanBeReturnedAfterMainReturns) {
    StaticRender.SetSize(8, 8);
    EXPECT_NE(StaticRender.ColorBuffer, nullptr);
}

TEST(RenderTarget, StartsUnsizedWithLightingAndCullingOn) {
    TRender render;
    EXPECT_TRUE(render.Lighting);
    EXPECT_TRUE(render.CullBackFaces);
    EXPECT_EQ(render.BackColor, 0u);
    EXPECT_EQ(render.ColorBuffer, nullptr);
    EXPECT_EQ(render.DepthBuffer, nullptr);
    EXPECT_EQ(render.BitmapInfo, nullptr);
    EXPECT_NE(render.SolidTexel, nullptr);
    EXPECT_EQ(render.Matrix.Current, TMatrix{}.Current);
    EXPECT_EQ(render.LeftEdges.Count(), 0);
    EXPECT_EQ(render.VertexPool.Count(), 0);
}

TEST(RenderTarget, ClearAndDrawBeforeSizingDoNothing) {
    TRender render;
    TModel model{MakePrimitive({{-3, 3, 0}, {3, 3, 0}, {3, -3, 0}}, {0, 1, 2}, 0x00FF0000)};
    render.Clear();
    render.DrawList(model.List);
    render.DrawTriangle(0, 1, 2);
    EXPECT_EQ(render.ColorBuffer, nullptr);
}

TEST(RenderTarget, SizingMakesOneRecordPairPerRowAndAFullPool) {
    TRender render;
    render.SetSize(300, 220);
    EXPECT_EQ(render.Width, 300);
    EXPECT_EQ(render.Height, 220);
    EXPECT_EQ(render.LeftEdges.Count(), 220);
    EXPECT_EQ(render.RightEdges.Count(), 220);
    EXPECT_EQ(render.VertexPool.Count(), MaxPrimitiveVertices);
    EXPECT_NE(render.LeftEdges.Get(0), render.RightEdges.Get(0));
}

TEST(RenderTarget, BitmapInfoDescribesABottomUp32BitFrame) {
    TRender render;
    render.SetSize(300, 220);
    const uint8_t* info = render.BitmapInfo;
    EXPECT_EQ(Read32(info + 0), 40u);    // biSize
    EXPECT_EQ(Read32(info + 4), 300u);   // biWidth
    EXPECT_EQ(Read32(info + 8), 220u);   // biHeight, positive
    EXPECT_EQ(info[12] | info[13] << 8, 1);   // biPlanes
    EXPECT_EQ(info[14] | info[15] << 8, 32);  // biBitCount
    for (int offset = 16; offset < TRender::BitmapInfoSize; ++offset)
        EXPECT_EQ(info[offset], 0) << "byte " << offset;
}

TEST(RenderTarget, ClearFillsBothBuffers) {
    TRender render;
    render.SetSize(7, 5);
    for (const uint32_t back : {0xFF000000u, 0x00123456u}) {
        render.BackColor = back;
        render.Clear();
        for (int32_t i = 0; i < 7 * 5; ++i) {
            EXPECT_EQ(render.ColorBuffer[i], back) << i;
            EXPECT_EQ(render.DepthBuffer[i], TRender::EmptyDepth) << i;
        }
    }
}

TEST(RenderTarget, UnusableSizesLeaveTheRendererUnsized) {
    for (const auto& [width, height] : {std::pair{0, 10}, {10, -1}, {TRender::MaxDimension + 1, 2}}) {
        TRender render;
        render.SetSize(width, height);
        EXPECT_EQ(render.ColorBuffer, nullptr) << width << "x" << height;
        EXPECT_EQ(render.LeftEdges.Count(), 0);
        render.Clear();
    }
}

TEST(RenderTarget, SizingAgainFreesTheFirstBlocksAndRecords) {
    const TLiveCounts before = TLiveCounts::Now();
    {
        TRender render;
        render.SetSize(40, 30);
        const TLiveCounts once = TLiveCounts::Now();
        render.SetSize(40, 30);
        const TLiveCounts twice = TLiveCounts::Now();
        EXPECT_EQ(twice.HeapBlocks, once.HeapBlocks);
        EXPECT_EQ(twice.Objects, once.Objects);
        EXPECT_EQ(render.LeftEdges.Count(), 30);
        render.SetSize(20, 10);
        EXPECT_EQ(render.LeftEdges.Count(), 10);
        EXPECT_LT(TLiveCounts::Now().Objects, once.Objects);
    }
    // The destructor gives everything back.
    EXPECT_EQ(TLiveCounts::Now().HeapBlocks, before.HeapBlocks);
    EXPECT_EQ(TLiveCounts::Now().Objects, before.Objects);
}

TEST(RenderTarget, PrimitivesReturnTheirBlocksButLeaveTheirListAlone) {
    const TLiveCounts before = TLiveCounts::Now();
    TObjectList list;
    auto* primitive = MakePrimitive({{}, {}, {}}, {0, 1, 2}, 0, MakeTexture(4, 4, [](int32_t, int32_t) { return 0u; }));
    list.Add(primitive);
    EXPECT_EQ(TLiveCounts::Now().HeapBlocks, before.HeapBlocks + 2);  // Indices and Pixels
    delete primitive;
    EXPECT_EQ(TLiveCounts::Now().HeapBlocks, before.HeapBlocks);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(TLiveCounts::Now().Objects, before.Objects);
}

TEST(RenderTarget, AFrameAllocatesNothing) {
    TRender render;
    render.SetSize(300, 220);
    TModel model{MakePrimitive({{-100, 100, 1, 0, 0}, {100, 100, 1, 1, 0}, {100, -100, 1, 1, 1}, {-100, -100, 1, 0, 1}},
                               {0, 1, 2, 0, 2, 3}, 0, MakeTexture(128, 128, [](int32_t c, int32_t r) {
                                   return static_cast<uint32_t>(c << 16 | r);
                               })),
                 MakePrimitive({{-50, 50, 0}, {50, 50, 0}, {0, -50, 0}}, {0, 1, 2}, 0x00FFFFFF)};
    TMatrix m;
    m.RotateZ(0.3f);
    for (const bool lit : {false, true}) {
        render.Lighting = lit;
        const TLiveCounts start = TLiveCounts::Now();
        render.Clear();
        render.SetMatrix(m);
        render.DrawList(model.List);
        const TLiveCounts end = TLiveCounts::Now();
        EXPECT_EQ(end.HeapAllocations, start.HeapAllocations) << "lit " << lit;
        EXPECT_EQ(end.News, start.News) << "lit " << lit;
        EXPECT_GT(CountNot(render, 0), 20000) << "the frame should show the model";
    }
}

}  // namespace
