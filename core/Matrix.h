#pragma once
// 4x4 single-precision transforms for row vectors: a point is (x, y, z, 1) x
// Current, translation sits in row 3, and appended operations act in call order.
#include <array>

#include "TObject.h"

using TMatrix4 = std::array<float, 16>;  // element [row][column] at 4 * row + column

class TMatrix : public TObject {
public:
    TMatrix() { Reset(); }

    void Reset();
    void LoadIdentity();
    void Multiply(TMatrix4 m);  // by value: Multiply(Work) is safe
    void Scale(float sx, float sy, float sz);
    void RotateX(float angle);
    void RotateY(float angle);
    void RotateZ(float angle);
    void Translate(float tx, float ty, float tz);
    void Assign(const TMatrix& other) { Current = other.Current; }

    float At(int row, int column) const { return Current[4 * row + column]; }

    TMatrix4 Work{};
    TMatrix4 Current{};
};

// Sine and cosine of a single-precision angle in extended precision, each
// rounded to single; 0 for both beyond the range of the hardware sine.
struct TSinCos {
    float s, c;
};
TSinCos SinCosOf(float angle);
