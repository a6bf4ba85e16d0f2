// The model text parser fed arbitrary texts. A rejected text appends nothing
// and names a line of the text; an accepted one holds only primitives the
// renderer may draw, and is drawn into the program's 300 x 220 frame under
// several matrices with lighting and culling on and off. Every renderer heap
// block is returned after each input.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "ModelText.h"
#include "Scene.h"

namespace {

// The number of lines the parser can name: separators up to the first zero
// byte, plus one.
int32_t LineCount(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const bool cr = text.find('\r') != std::string_view::npos;
    const bool lf = text.find('\n') != std::string_view::npos;
    const std::string_view separator = cr && lf ? "\r\n" : cr ? "\r" : "\n";
    int32_t lines = 1;
    for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, at + separator.size()))
        ++lines;
    return lines;
}

void CheckPrimitive(const TPrimitive& p) {
    Require(p.Color != NotDrawnColor, "an accepted record is drawn");
    Require(p.IndexCount >= 0 && p.IndexCount <= MaxModelIndexCount, "index count in range");
    Require(p.Indices != nullptr, "an accepted record has its index buffer");
    const int32_t vertices = p.Vertices.Count();
    Require(vertices <= MaxPrimitiveVertices, "at most 2048 vertices");
    for (int32_t i = 0; i < vertices; ++i) Require(p.VertexAt(i) != nullptr, "every vertex present");
    for (int32_t j = 0; j < p.IndexCount; ++j)
        Require(p.Indices[j] >= 0 && p.Indices[j] < vertices, "every drawn index names a vertex of its record");
    if (const TTexture* t = p.Texture) {
        Require(FindTextureName(t->Name) >= 0, "only texture names make textures");
        Require((t->Width == 128 || t->Width == 256) && t->Height == t->Width, "generated texture sizes");
        Require(t->Pixels && (int32_t{1} << t->Shift) == t->Width, "texture shift matches its width");
    }
}

// Each texture at most once per text; the scene remembers the hue textures
// of the text it accepted.
void CheckTextures(const TObjectList& list, const TScene& scene) {
    std::array<int32_t, TextureNames.size()> made{};
    const uint32_t* circle = nullptr;
    const uint32_t* plane = nullptr;
    for (int32_t i = 1; i < list.Count(); ++i) {
        const TTexture* t = list.GetAs<TPrimitive>(i)->Texture;
        if (!t) continue;
        const int32_t kind = FindTextureName(t->Name);
        ++made[static_cast<size_t>(kind)];
        if (kind == 0) circle = t->Pixels;
        if (kind == 1) plane = t->Pixels;
    }
    Require(std::ranges::all_of(made, [](int32_t n) { return n <= 1; }), "each texture at most once per text");
    Require(scene.HueCirclePixels == circle && scene.HuePlanePixels == plane, "the scene remembers the text's hue textures");
}

// The view's own transform and three harder ones: a mirror (culling flips),
// a zoom that takes every solid across the frame's edges, and an edge-on turn.
void SetViews(std::array<TMatrix, 4>& m) {
    m[0].Scale(100, 100, 100);
    m[0].Translate(0, -110, 0);
    m[0].RotateY(-0.3f);
    m[0].RotateX(-0.45f);
    m[1].Scale(-100, 100, 100);
    m[1].RotateZ(0.7f);
    m[2].Scale(900, 900, 900);
    m[2].Translate(0, -1200, 0);
    m[2].RotateX(1.1f);
    m[3].Scale(150, 150, 150);
    m[3].RotateX(1.5707964f);
}

struct TFixture {
    TFixture() {
        Scene.MainRender.SetSize(RenderWidth, RenderHeight);
        Scene.MainRender.BackColor = 0x123456;
        SetViews(Views);
    }
    TScene Scene;
    TPrimitive Sentinel;  // stands in for what the list held before
    std::array<TMatrix, 4> Views;
};

void Draw(TFixture& f, const TObjectList& list) {
    TRender& render = f.Scene.MainRender;
    for (const TMatrix& m : f.Views) {
        for (const bool lighting : {false, true}) {
            for (const bool cull : {true, false}) {
                render.Lighting = lighting;
                render.CullBackFaces = cull;
                render.Clear();
                render.SetMatrix(m);
                render.DrawList(list);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFixture fixture;
    TScene& scene = fixture.Scene;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const THeapBalance heap;
    {
        TObjectList list;
        list.Add(&fixture.Sentinel);
        scene.HueCirclePixels = nullptr;
        scene.HuePlanePixels = nullptr;
        const TModelParseResult result = ParseModelText(scene, text, list);
        if (!result.Ok) {
            Require(list.Count() == 1 && result.Added == 0, "a rejected text appends nothing");
            Require(result.Line >= 1 && result.Line <= LineCount(text), "a rejected text names one of its lines");
            Require(!result.Message.empty(), "a rejected text says why");
            Require(!scene.HueCirclePixels && !scene.HuePlanePixels, "a rejected text publishes no texture");
        } else {
            Require(list.Count() == 1 + result.Added, "an accepted text appends what it reports");
            for (int32_t i = 1; i < list.Count(); ++i) CheckPrimitive(*list.GetAs<TPrimitive>(i));
            CheckTextures(list, scene);
            Draw(fixture, list);
        }
        list.Delete(0);
        FreeObjects(list);
        scene.HueCirclePixels = nullptr;
        scene.HuePlanePixels = nullptr;
    }
    heap.Check();
    return 0;
}
