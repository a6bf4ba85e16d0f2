#pragma once
// The renderer's private heap: every large block of the renderer, of primitives
// (their Indices) and of textures (their Pixels) comes from here. Blocks are
// handed out unzeroed. The heap is created on first use and is never destroyed
// before the process ends, so it outlives every object that holds one of its
// blocks, static ones included. Allocation failure reports and aborts.
#include <cstddef>
#include <cstdint>

namespace RenderHeap {

void* Alloc(size_t bytes);
void Free(void* block);  // null is ignored

// Blocks handed out and returned since the process started (tests prove that
// frames allocate nothing and that owners give their blocks back).
uint64_t AllocationCount();
uint64_t FreeCount();

template <typename T>
T* AllocArray(size_t count) {
    // A count whose byte size does not fit is a failed allocation.
    return static_cast<T*>(Alloc(count <= static_cast<size_t>(-1) / sizeof(T) ? count * sizeof(T) : static_cast<size_t>(-1)));
}

}  // namespace RenderHeap
