#pragma once
// The unit of drawing: an indexed triangle mesh with one material and an
// optional power-of-two texture.
#include <cstdint>
#include <string>

#include "ObjectList.h"
#include "TObject.h"
#include "Vertex.h"

// Texel format: bits 16..23 red, 8..15 green, 0..7 blue; a non-zero top byte
// marks a texel that is not painted but still writes depth.
class TTexture : public TObject {
public:
    ~TTexture() override;

    std::string Name;
    int32_t Width{};
    int32_t Height{};
    int32_t Shift{};           // log2(Width)
    uint32_t* Pixels{};        // Width x Height texels from RenderHeap, row 0 first
};

// Colour -1 (all bits set): the primitive is not drawn at all.
inline constexpr uint32_t NotDrawnColor = 0xFFFFFFFFu;

class TPrimitive : public TObject {
public:
    ~TPrimitive() override;  // frees the vertices, Indices and the texture

    TObjectList Vertices;      // of TVertex, owned
    int16_t* Indices{};        // IndexCount + IndexSlack entries from RenderHeap, owned
    TTexture* Texture{};       // owned
    int32_t IndexCount{};
    uint32_t Color{};
    int32_t SpecularPower{};
    float SpecularLevel{};
    float DiffuseLevel{};

    TVertex* VertexAt(int32_t i) const { return Vertices.GetAs<TVertex>(i); }
};

// The renderer's limit on vertices per primitive.
inline constexpr int32_t MaxPrimitiveVertices = 2048;

// Index buffers hold IndexCount entries and this many more; the entry after
// the last index is written but never drawn.
inline constexpr int32_t IndexSlack = 5;

// Sets IndexCount (>= 0) and gives the primitive a new index buffer of
// IndexCount + IndexSlack entries from RenderHeap, unzeroed.
void AllocIndices(TPrimitive& primitive, int32_t indexCount);
