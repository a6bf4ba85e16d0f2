#pragma once
// Indexed lists of object references. A list never owns the objects it refers
// to: whoever fills it frees them, then clears the list.
#include <cstdint>

#include "IntegerList.h"
#include "TObject.h"

class TBaseListArray : public TObject {
public:
    TBaseListArray();
    ~TBaseListArray() override;

    int32_t Count() const { return List.Count(); }
    void Add(TObject* object);
    // Null for an out-of-range index.
    TObject* Get(int32_t index) const {
        const uintptr_t box = List.Get(index);
        return box ? reinterpret_cast<const TBox*>(box)->Ref : nullptr;
    }
    void Delete(int32_t index);         // frees the box only
    virtual void Clear() = 0;

    template <typename T>
    T* GetAs(int32_t index) const { return static_cast<T*>(Get(index)); }

    // Each entry is a box holding one reference; List holds the box pointers.
    struct TBox {
        TObject* Ref{};
    };
    TPointerList List{16, 16};

protected:
    void FreeBoxes();
};

class TObjectList final : public TBaseListArray {
public:
    TObjectList() = default;
    ~TObjectList() override;
    void Clear() override;  // frees every box and empties List
};

// For whoever filled a list: deletes every object it refers to, then clears it.
void FreeObjects(TObjectList& list);
