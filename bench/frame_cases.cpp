// Times the shared frame cases natively, with the CPU's widest span fillers
// and pixel by pixel, next to memset of the frame's colour and depth bytes,
// and prints each frame's hash. The web page's benchmark mode prints the
// same cases for the WebAssembly build.
//
// Usage: frame_cases [MILLISECONDS_PER_CASE]   (default 500)
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FrameCases.h"

namespace {

double MemsetMilliseconds(double minimumMs) {
    using Clock = std::chrono::steady_clock;
    const size_t pixels = static_cast<size_t>(RenderWidth) * RenderHeight;
    std::vector<uint32_t> color(pixels), depth(pixels);
    int64_t rounds = 0;
    const Clock::time_point start = Clock::now();
    double elapsed = 0.0;
    while (rounds < 100 || elapsed < minimumMs) {
        std::memset(color.data(), static_cast<int>(rounds & 0x7F), pixels * sizeof(uint32_t));
        std::memset(depth.data(), 0x7F, pixels * sizeof(uint32_t));
        // Keeps the stores: the buffers are read after the loop.
        ++rounds;
        elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    volatile uint32_t sink = color[rounds % pixels] + depth[0];
    (void)sink;
    return elapsed / static_cast<double>(rounds);
}

// Times a case over about `budgetMs`, sized by a short first round.
double TimedCase(TFrameCases& cases, size_t index, double budgetMs) {
    const double guess = cases.MillisecondsPerFrame(index, 3);
    const double frames = std::clamp(budgetMs / std::max(guess, 1e-3), 3.0, 1e6);
    return cases.MillisecondsPerFrame(index, static_cast<int32_t>(frames));
}

}  // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::atof(argv[1]) : 500.0;
    TFrameCases cases;
    if (!cases.Loaded()) return 1;
    const double memsetMs = MemsetMilliseconds(budget);
    std::printf("memset of the frame's bytes: %.4f ms\n", memsetMs);
    std::printf("%-30s %12s %12s %10s %16s\n", "case", "widest ms", "scalar ms", "scalar/mem", "frame hash");
    for (size_t i = 0; i < cases.Count(); ++i) {
        cases.SetSpanPath(TRender::TSpanPath::Avx2);
        const double widest = TimedCase(cases, i, budget);
        cases.SetSpanPath(TRender::TSpanPath::Scalar);
        const double scalar = TimedCase(cases, i, budget);
        std::printf("%-30s %12.4f %12.4f %9.1fx %016" PRIx64 "\n", cases.Name(i).c_str(), widest, scalar,
                    scalar / memsetMs, cases.FrameHash(i));
    }
    return 0;
}
