#pragma once
// Growable arrays of plain values. TIntegerList holds 32-bit integers and
// colours; TPointerList holds references at full pointer width. Both follow the
// same growth, read and delete rules.
#include <cstdint>
#include <type_traits>

#include "TObject.h"

template <typename T>
class TValueList : public TObject {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    // A 0 for either argument means 16.
    explicit TValueList(int32_t initialCapacity = 16, int32_t delta = 16);
    ~TValueList() override;

    void Clear();                    // empties and shrinks back to InitialCapacity
    void Add(T value);
    void Delete(int32_t index);      // out-of-range indices are ignored
    // 0 for an out-of-range index. Inline: the renderer reads every vertex
    // and primitive through it.
    T Get(int32_t index) const { return index >= 0 && index <= LastIndex ? Items[index] : T{}; }
    void Put(int32_t index, T value);
    int32_t Count() const { return LastIndex + 1; }
    int32_t IndexOf(T value) const;  // first match from 0 up, -1 if none
    void CopyTo(TValueList& destination) const;

    T* Items{};
    int32_t LastIndex{-1};
    int32_t Capacity{};
    int32_t Delta{};
    int32_t InitialCapacity{};

private:
    void Reallocate(int32_t newCapacity);
};

using TIntegerList = TValueList<int32_t>;
using TPointerList = TValueList<uintptr_t>;
static_assert(sizeof(TPointerList::Items[0]) == sizeof(void*));

extern template class TValueList<int32_t>;
extern template class TValueList<uintptr_t>;
