#include "RenderHeap.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace RenderHeap {
namespace {

std::atomic<uint64_t> allocations{0};
std::atomic<uint64_t> frees{0};

[[noreturn]] void OutOfMemory(size_t bytes) {
    std::fprintf(stderr, "RenderHeap: cannot allocate %zu bytes\n", bytes);
    std::fflush(stderr);
    std::abort();
}

#ifdef _WIN32
// Created on first use and deliberately never destroyed: blocks held by static
// objects are freed after every user destructor has run, and the system
// reclaims the heap with the process.
HANDLE Heap() {
    static const HANDLE heap = [] {
        HANDLE h = HeapCreate(0, 0, 0);
        if (!h) OutOfMemory(0);
        return h;
    }();
    return heap;
}
#endif

}  // namespace

void* Alloc(size_t bytes) {
    // A zero-byte request still yields a unique block, as HeapAlloc does.
    const size_t size = bytes ? bytes : 1;
#ifdef _WIN32
    void* block = HeapAlloc(Heap(), 0, size);
#else
    void* block = std::malloc(size);
#endif
    if (!block) OutOfMemory(bytes);
    allocations.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void Free(void* block) {
    if (!block) return;
    frees.fetch_add(1, std::memory_order_relaxed);
#ifdef _WIN32
    HeapFree(Heap(), 0, block);
#else
    std::free(block);
#endif
}

uint64_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }
uint64_t FreeCount() { return frees.load(std::memory_order_relaxed); }

}  // namespace RenderHeap
