#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "View.h"

namespace {

// FNV-1a over the frame's 32-bit values, little-endian byte by byte.
uint64_t FrameHash(const TRender& render) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int32_t i = 0; i < render.Width * render.Height; ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (render.ColorBuffer[i] >> shift) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    return hash;
}

struct HashCase {
    const char* name;
    TViewState state;
    uint64_t hash;
};

TViewState State(int32_t tab, int32_t h1, int32_t h2, int32_t v, int32_t c = 2, bool cSingle = false, int32_t d = 10,
                 int32_t level = 10, bool dSingle = false) {
    return {tab, h1, h2, v, c, cSingle, d, level, dSingle};
}

class FrameHashes : public LoadedScene {};

// Frames the native build produced; the cross-built program must produce the
// same bits.
TEST_F(FrameHashes, FramesOfEveryTabMatchTheNativeBuild) {
    const HashCase cases[] = {
        {"TypeA start", State(0, 0, 0, 100), 0xf14f03c5c1d6535ull},
        {"TypeA turned", State(0, 17, 41, 37), 0x3b15263d3376505bull},
        {"TypeB start", State(1, 4, 0, 4), 0xbc41939fe1639bb2ull},
        {"TypeB turned", State(1, 50, 20, 33), 0x978c619c610979baull},
        {"TypeC start", State(2, 4, 0, 4), 0xd568f4d47e081134ull},
        {"TypeC 32 sections", State(2, 9, 3, 12, 32), 0xb79b9301f949afa4ull},
        {"TypeC single", State(2, 4, 0, 4, 7, true), 0xc7cb4bbfc41d0807ull},
        {"TypeD start", State(3, 0, 0, 4), 0xeae6d36813cb5ab7ull},
        {"TypeD single cut", State(3, 21, 5, 9, 2, false, 6, 4, true), 0x5e6cd1e68e135114ull},
    };
    for (const HashCase& c : cases) {
        ApplyTabChange(Scene, c.state.Tab);
        RenderView(Scene, c.state);
        EXPECT_EQ(FrameHash(Scene.MainRender), c.hash) << c.name << std::hex << " 0x" << FrameHash(Scene.MainRender);
    }
}

}  // namespace
