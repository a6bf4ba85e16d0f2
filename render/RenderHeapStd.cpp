#include <cstdlib>

#include "RenderHeapSystem.h"

namespace RenderHeap::System {

void* Alloc(size_t bytes) { return std::malloc(bytes); }

void Free(void* block) { std::free(block); }

}  // namespace RenderHeap::System
