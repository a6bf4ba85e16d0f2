#pragma once
// Test allocator for receivers and window objects: every block lives above
// 4 GiB (so a reference narrowed to 32 bits cannot survive), and a freed block
// becomes inaccessible (so any read of a destroyed object faults at once, and
// the fault reporter ends the program with a message instead of letting the
// test pass on stale memory).
#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <new>
#include <vector>

class THighHeap {
public:
    static constexpr uint64_t FourGiB = 0x100000000ull;
    static constexpr size_t BlockSize = 64 * 1024;

    static void* Allocate(size_t size) {
        if (size > BlockSize) throw std::bad_alloc();
        if (void* reused = TakeReused()) return reused;
        void* block = VirtualAlloc(nullptr, BlockSize, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
        if (block == nullptr) throw std::bad_alloc();
        Blocks().push_back(block);
        return block;
    }

    // The block stays reserved but unreadable until ReleaseAll.
    static void Free(void* block) {
        if (block == nullptr) return;
        DWORD old = 0;
        VirtualProtect(block, BlockSize, PAGE_NOACCESS, &old);
        Freed().push_back(block);
    }

    // The next Allocate returns this freed block again: a new object at the
    // address of a destroyed one.
    static void ReuseNext(void* block) { Reuse() = block; }

    static bool IsHigh(const void* p) { return reinterpret_cast<uintptr_t>(p) >= FourGiB; }

    static bool IsFreed(const void* address) {
        auto a = reinterpret_cast<uintptr_t>(address);
        for (void* block : Freed()) {
            auto b = reinterpret_cast<uintptr_t>(block);
            if (a >= b && a < b + BlockSize) return true;
        }
        return false;
    }

    static void ReleaseAll() {
        for (void* block : Blocks()) VirtualFree(block, 0, MEM_RELEASE);
        Blocks().clear();
        Freed().clear();
        Reuse() = nullptr;
    }

    // Installed once per program: a read or write of a freed block ends the
    // program with a message and exit code 3.
    static void InstallFaultReporter() { AddVectoredExceptionHandler(1, &ReportFault); }

private:
    static std::vector<void*>& Blocks() {
        static std::vector<void*> blocks;
        return blocks;
    }
    static std::vector<void*>& Freed() {
        static std::vector<void*> freed;
        return freed;
    }
    static void*& Reuse() {
        static void* reuse = nullptr;
        return reuse;
    }

    static void* TakeReused() {
        void* block = Reuse();
        if (block == nullptr) return nullptr;
        Reuse() = nullptr;
        auto& freed = Freed();
        for (auto it = freed.begin(); it != freed.end(); ++it) {
            if (*it == block) {
                freed.erase(it);
                break;
            }
        }
        DWORD old = 0;
        VirtualProtect(block, BlockSize, PAGE_READWRITE, &old);
        return block;
    }

    static LONG CALLBACK ReportFault(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2) {
            return EXCEPTION_CONTINUE_SEARCH;
        }
        auto address = reinterpret_cast<const void*>(record->ExceptionInformation[1]);
        if (!IsFreed(address)) return EXCEPTION_CONTINUE_SEARCH;
        std::fprintf(stderr, "FAILED: a destroyed object was touched (address %p)\n", address);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
        return EXCEPTION_CONTINUE_SEARCH;
    }
};

// A second base that places instances in THighHeap; a delete through any
// base with a virtual destructor finds these operators.
struct THighHeapObject {
    static void* operator new(size_t size) { return THighHeap::Allocate(size); }
    static void operator delete(void* block) { THighHeap::Free(block); }
};
