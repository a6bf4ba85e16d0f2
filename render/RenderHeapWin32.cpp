#include <windows.h>

#include "RenderHeapSystem.h"

namespace RenderHeap::System {
namespace {

// Created on first use and deliberately never destroyed: blocks held by static
// objects are freed after every user destructor has run, and the system
// reclaims the heap with the process.
HANDLE Heap() {
    static const HANDLE heap = HeapCreate(0, 0, 0);
    return heap;
}

}  // namespace

void* Alloc(size_t bytes) {
    const HANDLE heap = Heap();
    return heap ? HeapAlloc(heap, 0, bytes) : nullptr;
}

void Free(void* block) { HeapFree(Heap(), 0, block); }

}  // namespace RenderHeap::System
