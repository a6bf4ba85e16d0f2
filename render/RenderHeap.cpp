#include "RenderHeap.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "RenderHeapSystem.h"

namespace RenderHeap {
namespace {

std::atomic<uint64_t> allocations{0};
std::atomic<uint64_t> frees{0};

[[noreturn]] void OutOfMemory(size_t bytes) {
    std::fprintf(stderr, "RenderHeap: cannot allocate %zu bytes\n", bytes);
    std::fflush(stderr);
    std::abort();
}

}  // namespace

void* Alloc(size_t bytes) {
    // A zero-byte request still yields a unique block, as HeapAlloc does.
    const size_t size = bytes ? bytes : 1;
    void* block = System::Alloc(size);
    if (!block) OutOfMemory(bytes);
    allocations.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void Free(void* block) {
    if (!block) return;
    frees.fetch_add(1, std::memory_order_relaxed);
    System::Free(block);
}

uint64_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }
uint64_t FreeCount() { return frees.load(std::memory_order_relaxed); }

}  // namespace RenderHeap
