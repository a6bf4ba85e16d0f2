#pragma once
// Hand-built meshes and frame read-outs for the renderer's tests.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "Matrix.h"
#include "ObjectList.h"
#include "Primitive.h"
#include "Render.h"
#include "RenderHeap.h"
#include "Vertex.h"

namespace rendertest {

// A model vertex given by its model coordinates and extras.
struct TVertexData {
    float X{}, Y{}, Z{};
    float U{}, V{};
    float NX{}, NY{}, NZ{1.0f};
};

// Model coordinates that the identity matrix puts at screen point (sx, sy) of
// a frame whose centre is (cx, cy). A point at a pixel's centre (k + 0.5)
// lands in pixel k for any k within the frame.
inline TVertexData AtScreen(const TRender& render, float sx, float sy, float z = 0.0f, float u = 0.0f,
                            float v = 0.0f) {
    const double centreX = std::nearbyint(render.Width / 2.0);
    const double centreY = std::nearbyint(render.Height / 2.0);
    return {static_cast<float>(sx - centreX), static_cast<float>(centreY - sy), z, u, v};
}

inline TTexture* MakeTexture(int32_t width, int32_t height, uint32_t (*texel)(int32_t column, int32_t row)) {
    auto* texture = new TTexture;
    texture->Width = width;
    texture->Height = height;
    for (int32_t w = width; w > 1; w >>= 1) ++texture->Shift;
    texture->Pixels = RenderHeap::AllocArray<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t row = 0; row < height; ++row)
        for (int32_t column = 0; column < width; ++column)
            texture->Pixels[(row << texture->Shift) + column] = texel(column, row);
    return texture;
}

inline TPrimitive* MakePrimitive(std::initializer_list<TVertexData> vertices, std::initializer_list<int> indices,
                                 uint32_t color, TTexture* texture = nullptr) {
    auto* primitive = new TPrimitive;
    for (const TVertexData& data : vertices) {
        auto* v = new TVertex;
        v->X = data.X, v->Y = data.Y, v->Z = data.Z;
        v->U = data.U, v->V = data.V;
        v->NX = data.NX, v->NY = data.NY, v->NZ = data.NZ;
        primitive->Vertices.Add(v);
    }
    AllocIndices(*primitive, static_cast<int32_t>(indices.size()));
    int32_t j = 0;
    for (const int index : indices) primitive->Indices[j++] = static_cast<int16_t>(index);
    primitive->Color = color;
    primitive->DiffuseLevel = 1.0f;
    primitive->Texture = texture;
    return primitive;
}

// FNV-1a over a frame's colour and depth, continued from `hash`; a frame's
// fingerprint starts from FrameHashSeed.
constexpr uint64_t FrameHashSeed = 14695981039346656037ull;
inline uint64_t FoldFrame(uint64_t hash, const TRender& render) {
    auto mix = [&hash](uint32_t word) {
        for (int i = 0; i < 4; ++i) hash = (hash ^ ((word >> (8 * i)) & 0xFF)) * 1099511628211ull;
    };
    for (int32_t i = 0; i < render.Width * render.Height; ++i) {
        mix(render.ColorBuffer[i]);
        mix(static_cast<uint32_t>(render.DepthBuffer[i]));
    }
    return hash;
}

// A list of primitives that frees them, as the application's model lists do.
class TModel {
public:
    TModel() = default;
    TModel(std::initializer_list<TPrimitive*> primitives) {
        for (TPrimitive* p : primitives) List.Add(p);
    }
    ~TModel() { FreeObjects(List); }
    TModel(const TModel&) = delete;
    TModel& operator=(const TModel&) = delete;

    TPrimitive& operator[](int32_t i) const { return *List.GetAs<TPrimitive>(i); }
    void Add(TPrimitive* p) { List.Add(p); }

    TObjectList List;
};

inline uint32_t PixelAt(const TRender& render, int32_t x, int32_t y) {
    return render.ColorBuffer[y * render.Width + x];
}
inline int32_t DepthAt(const TRender& render, int32_t x, int32_t y) {
    return render.DepthBuffer[y * render.Width + x];
}
inline const TLVertex& PoolAt(const TRender& render, int32_t i) { return *render.VertexPool.GetAs<TLVertex>(i); }

// The frame as text, one string per row: each pixel becomes the letter its
// colour is mapped to, '.' for the background and '?' for anything else.
inline std::vector<std::string> Picture(const TRender& render, const std::map<uint32_t, char>& letters) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < render.Height; ++y) {
        std::string row;
        for (int32_t x = 0; x < render.Width; ++x) {
            const uint32_t pixel = PixelAt(render, x, y);
            const auto found = letters.find(pixel);
            row += pixel == render.BackColor ? '.' : found != letters.end() ? found->second : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

inline int32_t CountNot(const TRender& render, uint32_t color) {
    int32_t n = 0;
    for (int32_t i = 0; i < render.Width * render.Height; ++i) n += render.ColorBuffer[i] != color;
    return n;
}

}  // namespace rendertest
