#include "IntegerList.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void OutOfMemory() { std::abort(); }

}  // namespace

template <typename T>
TValueList<T>::TValueList(int32_t initialCapacity, int32_t delta)
    : Delta(delta > 0 ? delta : 16), InitialCapacity(initialCapacity > 0 ? initialCapacity : 16) {
    Reallocate(InitialCapacity);
}

template <typename T>
TValueList<T>::~TValueList() {
    std::free(Items);
}

// Resizes the storage, keeping what fits; fresh slots are zero so that a
// later Get of a slot that Put passed over reads a defined value.
template <typename T>
void TValueList<T>::Reallocate(int32_t newCapacity) {
    auto* grown = static_cast<T*>(std::realloc(Items, static_cast<size_t>(newCapacity) * sizeof(T)));
    if (grown == nullptr) OutOfMemory();
    if (newCapacity > Capacity) {
        std::memset(grown + Capacity, 0, static_cast<size_t>(newCapacity - Capacity) * sizeof(T));
    }
    Items = grown;
    Capacity = newCapacity;
}

template <typename T>
void TValueList<T>::Clear() {
    std::free(Items);
    Items = nullptr;
    Capacity = 0;
    Reallocate(InitialCapacity);
    LastIndex = -1;
}

template <typename T>
void TValueList<T>::Add(T value) {
    if (LastIndex + 1 > Capacity - 1) {
        if (static_cast<int64_t>(Capacity) + Delta > std::numeric_limits<int32_t>::max()) OutOfMemory();
        Reallocate(Capacity + Delta);
    }
    ++LastIndex;
    Items[LastIndex] = value;
}

template <typename T>
void TValueList<T>::Delete(int32_t index) {
    if (index < 0 || index > LastIndex) return;
    std::memmove(Items + index, Items + index + 1, static_cast<size_t>(LastIndex - index) * sizeof(T));
    --LastIndex;
}

// Grows only when the index lies beyond the storage, then in Delta steps until
// at least one free slot follows the stored index. Slots passed over read as 0.
template <typename T>
void TValueList<T>::Put(int32_t index, T value) {
    if (index < 0) return;
    if (index > Capacity - 1) {
        int64_t capacity = Capacity;
        while (index >= capacity - 1) capacity += Delta;
        if (capacity > std::numeric_limits<int32_t>::max()) return;
        Reallocate(static_cast<int32_t>(capacity));
    }
    if (index > LastIndex + 1) {
        std::memset(Items + LastIndex + 1, 0, static_cast<size_t>(index - LastIndex - 1) * sizeof(T));
    }
    Items[index] = value;
    if (index > LastIndex) LastIndex = index;
}

template <typename T>
int32_t TValueList<T>::IndexOf(T value) const {
    for (int32_t i = 0; i <= LastIndex; ++i) {
        if (Items[i] == value) return i;
    }
    return -1;
}

template <typename T>
void TValueList<T>::CopyTo(TValueList& destination) const {
    if (&destination == this) return;
    destination.Clear();
    for (int32_t i = 0; i <= LastIndex; ++i) destination.Put(i, Items[i]);
}

template class TValueList<int32_t>;
template class TValueList<uintptr_t>;
