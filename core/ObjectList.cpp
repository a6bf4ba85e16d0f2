#include "ObjectList.h"

namespace {

TBaseListArray::TBox* BoxAt(const TPointerList& list, int32_t index) {
    return reinterpret_cast<TBaseListArray::TBox*>(list.Get(index));
}

}  // namespace

TBaseListArray::TBaseListArray() = default;

// The derived class has already cleared itself; this only catches boxes left
// by a derived class that did not (a virtual call here would reach nothing).
TBaseListArray::~TBaseListArray() { FreeBoxes(); }

void TBaseListArray::Add(TObject* object) {
    auto* box = new TBox{object};
    List.Add(reinterpret_cast<uintptr_t>(box));
}

void TBaseListArray::Delete(int32_t index) {
    if (index < 0 || index >= List.Count()) return;
    delete BoxAt(List, index);
    List.Delete(index);
}

void TBaseListArray::FreeBoxes() {
    for (int32_t i = 0; i < List.Count(); ++i) delete BoxAt(List, i);
    List.LastIndex = -1;
}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Clear() {
    FreeBoxes();
    List.Clear();
}

void FreeObjects(TObjectList& list) {
    for (int32_t i = 0; i < list.Count(); ++i) delete list.Get(i);
    list.Clear();
}
