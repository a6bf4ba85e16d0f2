#include "DemoScene.h"

#include <initializer_list>

#include "Matrix.h"
#include "Primitive.h"
#include "RenderHeap.h"
#include "Vertex.h"

namespace {

struct TCorner {
    float X, Y, Z, U, V, NX, NY, NZ;
};

TPrimitive* MakePrimitive(std::initializer_list<TCorner> corners, std::initializer_list<int16_t> indices,
                          uint32_t color) {
    auto* p = new TPrimitive;
    for (const TCorner& c : corners) {
        auto* v = new TVertex;
        v->X = c.X, v->Y = c.Y, v->Z = c.Z, v->U = c.U, v->V = c.V;
        v->NX = c.NX, v->NY = c.NY, v->NZ = c.NZ;
        p->Vertices.Add(v);
    }
    AllocIndices(*p, static_cast<int32_t>(indices.size()));
    int32_t j = 0;
    for (const int16_t i : indices) p->Indices[j++] = i;
    p->Color = color;
    p->DiffuseLevel = 0.85f;
    p->SpecularLevel = 0.5f;
    p->SpecularPower = 12;
    return p;
}

// Hue-like gradients across the texture with a checker of darker squares.
TTexture* MakeTexture() {
    auto* t = new TTexture;
    t->Width = t->Height = 128;
    t->Shift = 7;
    t->Pixels = RenderHeap::AllocArray<uint32_t>(128 * 128);
    for (uint32_t row = 0; row < 128; ++row) {
        for (uint32_t column = 0; column < 128; ++column) {
            const uint32_t dim = ((row / 16) ^ (column / 16)) & 1 ? 2 : 1;
            const uint32_t r = (column * 2) / dim, g = (row * 2) / dim, b = (255 - column - row / 2) / dim;
            t->Pixels[(row << 7) + column] = r << 16 | g << 8 | b;
        }
    }
    return t;
}

}  // namespace

TDemoScene::TDemoScene() {
    TPrimitive* quad = MakePrimitive({{-0.5f, 0.5f, 0, 0, 0, 0, 0, 1},
                                      {0.5f, 0.5f, 0, 1, 0, 0, 0, 1},
                                      {0.5f, -0.5f, 0, 1, 1, 0, 0, 1},
                                      {-0.5f, -0.5f, 0, 0, 1, 0, 0, 1}},
                                     {0, 1, 2, 0, 2, 3}, 0);
    quad->Texture = MakeTexture();
    Quad.Add(quad);

    Triangles.Add(MakePrimitive({{-0.9f, 0.2f, -0.2f, 0, 0, -0.5f, 0.4f, 1}, {-0.3f, 0.8f, -0.2f, 0, 0, 0, 0.6f, 1},
                                 {-0.2f, 0.1f, -0.2f, 0, 0, 0.4f, -0.2f, 1}},
                                {0, 1, 2}, 0x00E04030));
    Triangles.Add(MakePrimitive({{0.2f, -0.1f, -0.3f, 0, 0, -0.3f, 0.2f, 1}, {0.95f, -0.2f, -0.3f, 0, 0, 0.6f, 0, 1},
                                 {0.4f, -0.85f, -0.3f, 0, 0, 0.1f, -0.6f, 1}},
                                {0, 2, 1}, 0x0030C050));
    Triangles.Add(MakePrimitive({{-0.6f, -0.3f, 0.3f, 0, 0, 0, 0, 1}, {0.6f, 0.7f, 0.3f, 0, 0, 0, 0, 1},
                                 {0.1f, -0.9f, 0.3f, 0, 0, 0, 0, 1}},
                                {0, 1, 2}, 0x003070F0));

    Render.SetSize(FrameWidth, FrameHeight);
    Render.BackColor = 0xFF202428;
    Render.Clear();

    TMatrix m;
    m.Scale(180, 180, 180);
    m.RotateY(0.5f);
    m.RotateX(-0.35f);
    Render.SetMatrix(m);
    Render.Lighting = false;
    Render.CullBackFaces = false;
    Render.DrawList(Quad);

    m.Reset();
    m.Scale(130, 130, 130);
    m.RotateZ(0.2f);
    Render.SetMatrix(m);
    Render.Lighting = true;
    Render.DrawList(Triangles);
}

TDemoScene::~TDemoScene() {
    FreeObjects(Quad);
    FreeObjects(Triangles);
}
