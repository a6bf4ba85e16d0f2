#pragma once
// The render target: one frame (colour and depth buffers, bitmap description,
// per-row scan-line records, the pool of screen vertices) and the scan-line
// rasteriser that draws primitive lists into it.
#include <cstdint>
#include <limits>
#include <vector>

#include "Matrix.h"
#include "ObjectList.h"
#include "Primitive.h"
#include "TObject.h"
#include "Vertex.h"

// One row's record of the left or right edge of the triangle being filled.
class TScanLine : public TObject {
public:
    int32_t X{};  // pixel column (an integer, not fixed point)
    int32_t Z{};
    int32_t DiffuseR{}, DiffuseG{}, DiffuseB{};
    int32_t U{}, V{};
    int32_t Specular{};
};

#ifdef _WIN32
struct HDC__;
#endif

class TRender : public TObject {
public:
    TRender();
    ~TRender() override;

    void SetSize(int32_t width, int32_t height);  // once; takes the buffers
    void Clear();                                 // BackColor and far depth
    void SetMatrix(const TMatrix& matrix) { Matrix.Assign(matrix); }
    void DrawList(const TObjectList& primitives);
#ifdef _WIN32
    void Present(HDC__* dc, int32_t x, int32_t y);  // 1:1, row 0 at the top
#endif

    TMatrix Matrix;
    uint8_t* BitmapInfo{};     // BITMAPINFOHEADER + 4 zero bytes (44 bytes)
    uint32_t* ColorBuffer{};
    int32_t* DepthBuffer{};
    const uint32_t* Texels{};  // borrowed
    uint32_t* SolidTexel{};
    int32_t Width{}, Height{};
    // The row records and the pool as objects. Drawing works in contiguous
    // copies of them (LeftEnds, RightEnds, Screen below); TransformVertices
    // also fills the pool, DrawList does not.
    TObjectList LeftEdges;     // of TScanLine, one per row
    TObjectList RightEdges;
    TObjectList VertexPool;    // of TLVertex, MaxPrimitiveVertices entries
    int32_t TexWidth{}, TexHeight{}, TexMaskU{}, TexMaskV{}, TexShift{};
    uint32_t Color{};
    int32_t SpecularPower{};
    float SpecularLevel{}, DiffuseLevel{};
    bool Lighting{true};
    uint32_t BackColor{};
    bool CullBackFaces{true};

    // The steps of DrawList, in the order it calls them for each primitive.
    void SetMaterial(const TPrimitive& primitive);
    bool SetTexture(const TTexture* texture);  // false: texture unusable
    bool TransformVertices(const TObjectList& vertices);  // false: too many
    void DrawTriangle(int32_t a, int32_t b, int32_t c);   // pool indices, after TransformVertices

    static constexpr int32_t EmptyDepth = 2147483647;
    static constexpr int32_t BitmapInfoSize = 44;
    // Larger sizes leave the renderer unsized (no buffers, nothing drawn).
    static constexpr int32_t MaxDimension = 16384;
    // Pixels after the frame in both buffers, so that the last eight-pixel
    // group of a span can be read and written back whole.
    static constexpr size_t VectorSlack = 7;

    // The span fillers: pixel by pixel, four pixels at a time (SSE2) or eight
    // (AVX2). All give the same bits; the switch lets tests prove it. A path
    // the CPU lacks falls back to the widest one it has.
    enum class TSpanPath : uint8_t { Scalar, Sse2, Avx2 };
    TSpanPath VectorSpans{TSpanPath::Avx2};

    // A screen vertex as the rasteriser reads it: the pool entry's values with
    // one diffuse intensity (the vertex stage gives all three channels the
    // same), and whether every value is in range.
    struct TScreenVertex {
        int32_t X, Y, Z, Diffuse, Specular, U, V;
        bool Valid;
    };
    // One end of one row's span: the record of the left or right edge.
    struct TRowEnd {
        int32_t X, Z, Diffuse, Specular, U, V;
    };
    // The texture state the spans of one primitive read.
    struct TTexelState;
    // The box of some screen vertices, and the least depth among them; empty
    // (MinX above MaxX) until one is added.
    struct TBounds {
        static constexpr int32_t Lowest = std::numeric_limits<int32_t>::min();
        static constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
        int32_t MinX{Highest}, MaxX{Lowest}, MinY{Highest}, MaxY{Lowest}, MinZ{Highest};
        void Add(const TScreenVertex& v);
    };

private:
    // True when no triangle over vertices within `bounds` can write a pixel:
    // none reaches the frame, or the depths already where it could write all
    // hide it.
    bool WritesNothing(const TBounds& bounds) const;
    TBounds PoolBounds() const;  // of the valid vertices in the pool

    void FreeBlocks();
    void FillBitmapInfo();
    // The vertex stage into Screen; with `light` false the intensities are
    // left out when no vertex can be refused for them.
    bool Transform(const TObjectList& vertices, bool light);
    // DrawTriangles of the variant for the current lighting and texture.
    void DrawIndexed(const int16_t* indices, int32_t count);
    template <bool Lit, bool Textured>
    void DrawTriangles(const int16_t* indices, int32_t count);
    template <bool Lit, bool Textured>
    void Rasterise(const TScreenVertex& a, const TScreenVertex& b, const TScreenVertex& c, const TTexelState& tex);

    // The working copies of the vertex pool and of the row records, in one
    // block each, sized by SetSize.
    std::vector<TScreenVertex> Screen;
    std::vector<TRowEnd> LeftEnds;
    std::vector<TRowEnd> RightEnds;
    // The same for unlit, untextured primitives, which need only X and Z: X
    // in the low half of each word, Z in the high half; left and right ends
    // of a row side by side.
    std::vector<uint64_t> DepthEnds;
    std::vector<TLVertex*> PoolVertices;
    int32_t PoolCount{};  // vertices of the primitive being drawn
};

static_assert(sizeof(TScanLine) == sizeof(void*) + 8 * sizeof(int32_t));
