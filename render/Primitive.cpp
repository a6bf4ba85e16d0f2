#include "Primitive.h"

#include "RenderHeap.h"

TTexture::~TTexture() {
    RenderHeap::Free(Pixels);
}

TPrimitive::~TPrimitive() {
    FreeObjects(Vertices);
    RenderHeap::Free(Indices);
    delete Texture;
}

void AllocIndices(TPrimitive& primitive, int32_t indexCount) {
    RenderHeap::Free(primitive.Indices);
    primitive.IndexCount = indexCount;
    primitive.Indices = RenderHeap::AllocArray<int16_t>(static_cast<size_t>(indexCount) + IndexSlack);
}
