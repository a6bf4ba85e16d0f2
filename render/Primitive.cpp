#include "Primitive.h"

#include "RenderHeap.h"

TTexture::~TTexture() {
    RenderHeap::Free(Pixels);
}

TPrimitive::~TPrimitive() {
    for (int32_t i = 0; i < Vertices.Count(); ++i) delete Vertices.Get(i);
    Vertices.Clear();
    RenderHeap::Free(Indices);
    delete Texture;
}
