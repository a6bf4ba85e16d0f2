#pragma once
// What the fuzz targets check beyond the sanitizers. A broken invariant ends
// the run as a crash does, so libFuzzer keeps the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "RenderHeap.h"

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

// Every renderer heap block taken while one of these lives is returned by
// the time Check runs.
class THeapBalance {
public:
    void Check() const {
        Require(RenderHeap::AllocationCount() - Allocations == RenderHeap::FreeCount() - Frees,
                "every block taken from the renderer's heap is returned");
    }

private:
    uint64_t Allocations = RenderHeap::AllocationCount();
    uint64_t Frees = RenderHeap::FreeCount();
};
