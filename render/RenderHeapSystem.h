#pragma once
// The platform half of RenderHeap: where its blocks come from. The build picks
// one implementation (RenderHeapWin32.cpp or RenderHeapStd.cpp).
#include <cstddef>

namespace RenderHeap::System {

void* Alloc(size_t bytes);  // bytes > 0; null when out of memory
void Free(void* block);     // a block from Alloc, never null

}  // namespace RenderHeap::System
