#include "FrameCases.h"

#include <array>
#include <chrono>
#include <cstring>

#include "LoadScene.h"
#include "Primitive.h"
#include "RenderHeap.h"
#include "Vertex.h"
#include "View.h"

namespace {

void AddVertex(TPrimitive& p, float x, float y, float u, float v, float nx, float ny) {
    auto* vertex = new TVertex;
    vertex->X = x, vertex->Y = y, vertex->U = u, vertex->V = v;
    vertex->NX = nx, vertex->NY = ny, vertex->NZ = 0.9f;
    p.Vertices.Add(vertex);
}

void SetIndices(TPrimitive& p, const std::vector<int16_t>& indices) {
    AllocIndices(p, static_cast<int32_t>(indices.size()));
    std::memcpy(p.Indices, indices.data(), indices.size() * sizeof(int16_t));
}

TTexture* Texture256() {
    auto* t = new TTexture;
    t->Width = t->Height = 256;
    t->Shift = 8;
    t->Pixels = RenderHeap::AllocArray<uint32_t>(256 * 256);
    for (uint32_t i = 0; i < 256 * 256; ++i) t->Pixels[i] = (i & 0xFF) << 16 | (i >> 8) << 8 | 0x40;
    return t;
}

TViewState StartState(int32_t tab) {
    TViewState state;
    state.Tab = tab;
    SetPositionsOrFirstVisit(state, std::nullopt, std::nullopt, std::nullopt);
    return state;
}

enum class TCaseKind { View, TexturedQuad, LitQuad, SmallTriangles };

struct TCase {
    const char* Name;
    TCaseKind Kind;
    TViewState View;
};

TViewState WithTypeCSections(int32_t n) {
    TViewState s = StartState(2);
    s.TypeCSections = n;
    return s;
}

const std::array<TCase, 9>& Cases() {
    static const std::array<TCase, 9> cases{{
        {"TypeD all pages, every chip", TCaseKind::View, StartState(3)},
        {"TypeC 32 sections", TCaseKind::View, WithTypeCSections(32)},
        {"TypeA first frame", TCaseKind::View, StartState(0)},
        {"TypeB first frame", TCaseKind::View, StartState(1)},
        {"TypeC first frame", TCaseKind::View, StartState(2)},
        {"TypeD first frame", TCaseKind::View, StartState(3)},
        {"Full-frame textured quad", TCaseKind::TexturedQuad, {}},
        {"Full-frame lit quad", TCaseKind::LitQuad, {}},
        {"2,000 small triangles", TCaseKind::SmallTriangles, {}},
    }};
    return cases;
}

}  // namespace

TBenchModel::~TBenchModel() { FreeObjects(List); }

TPrimitive* TBenchModel::Add(uint32_t color) {
    auto* p = new TPrimitive;
    p->Color = color;
    p->DiffuseLevel = 0.9f;
    p->SpecularLevel = 0.4f;
    p->SpecularPower = 8;
    List.Add(p);
    return p;
}

void BuildFullFrameQuad(TBenchModel& model) {
    TPrimitive& p = *model.Add(0);
    p.Texture = Texture256();
    const float hx = RenderWidth / 2.0f + 2, hy = RenderHeight / 2.0f + 2;
    AddVertex(p, -hx, hy, 0, 0, -0.3f, 0.2f);
    AddVertex(p, hx, hy, 1, 0, 0.3f, 0.2f);
    AddVertex(p, hx, -hy, 1, 1, 0.3f, -0.2f);
    AddVertex(p, -hx, -hy, 0, 1, -0.3f, -0.2f);
    SetIndices(p, {0, 1, 2, 0, 2, 3});
}

void BuildSmallTriangles(TBenchModel& model) {
    constexpr int PerPrimitive = 500;  // the vertex pool holds 2,048
    for (int part = 0; part < 4; ++part) {
        TPrimitive& p = *model.Add(0x00C08040);
        std::vector<int16_t> indices;
        for (int t = 0; t < PerPrimitive; ++t) {
            const int n = part * PerPrimitive + t;
            const float x = -145.0f + static_cast<float>((n * 7) % 290);
            const float y = 105.0f - static_cast<float>((n * 13) % 210);
            AddVertex(p, x, y, 0, 0, 0, 0);
            AddVertex(p, x + 5.0f, y, 0, 0, 0, 0);
            AddVertex(p, x, y - 5.0f, 0, 0, 0, 0);
            for (int k = 0; k < 3; ++k) indices.push_back(static_cast<int16_t>(3 * t + k));
        }
        SetIndices(p, indices);
    }
}

TFrameCases::TFrameCases() {
    Ready = LoadScene(Scene);
    Quads.SetSize(RenderWidth, RenderHeight);
    BuildFullFrameQuad(Quad);
    BuildSmallTriangles(Triangles);
}

size_t TFrameCases::Count() const { return Cases().size(); }

std::string TFrameCases::Name(size_t index) const { return index < Count() ? Cases()[index].Name : ""; }

void TFrameCases::Draw(size_t index) {
    if (index >= Count() || !Ready) return;
    const TCase& c = Cases()[index];
    if (c.Kind == TCaseKind::View) {
        RenderShownView(Scene, c.View);
        return;
    }
    Quads.Lighting = c.Kind == TCaseKind::LitQuad;
    Quads.Clear();
    Quads.DrawList(c.Kind == TCaseKind::SmallTriangles ? Triangles.List : Quad.List);
}

uint64_t TFrameCases::FrameHash(size_t index) const {
    if (index >= Count()) return 0;
    const uint32_t* frame = Cases()[index].Kind == TCaseKind::View ? Scene.MainRender.ColorBuffer : Quads.ColorBuffer;
    uint64_t hash = 0xCBF29CE484222325u;
    for (size_t i = 0; i < static_cast<size_t>(RenderWidth) * RenderHeight; ++i) {
        for (int b = 0; b < 32; b += 8) hash = (hash ^ ((frame[i] >> b) & 0xFF)) * 0x100000001B3u;
    }
    return hash;
}

double TFrameCases::MillisecondsPerFrame(size_t index, int32_t frames) {
    using Clock = std::chrono::steady_clock;
    Draw(index);
    const Clock::time_point start = Clock::now();
    for (int32_t k = 0; k < frames; ++k) Draw(index);
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return frames > 0 ? elapsed / frames : 0.0;
}

void TFrameCases::SetSpanPath(TRender::TSpanPath path) {
    Scene.MainRender.VectorSpans = path;
    Quads.VectorSpans = path;
}
