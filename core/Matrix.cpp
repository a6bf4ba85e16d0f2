#include "Matrix.h"

#include <cmath>

namespace {

constexpr TMatrix4 Identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

TSinCos SinCosOf(float angle) {
    const long double a = angle;
    if (!(fabsl(a) < 0x1p63L)) return {0.0f, 0.0f};
    return {static_cast<float>(sinl(a)), static_cast<float>(cosl(a))};
}

void TMatrix::Reset() {
    Current = Identity;
    Work = Identity;
}

void TMatrix::LoadIdentity() { Work = Identity; }

// Each element is summed over k in increasing order in double precision and
// rounded to single once, when it is stored.
void TMatrix::Multiply(TMatrix4 m) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = static_cast<double>(Current[4 * r]) * m[c];
            for (int k = 1; k < 4; ++k) sum += static_cast<double>(Current[4 * r + k]) * m[4 * k + c];
            Work[4 * r + c] = static_cast<float>(sum);
        }
    }
    Current = Work;
}

void TMatrix::Scale(float sx, float sy, float sz) {
    LoadIdentity();
    Work[0] = sx;
    Work[5] = sy;
    Work[10] = sz;
    Multiply(Work);
}

void TMatrix::RotateX(float angle) {
    const auto [s, c] = SinCosOf(angle);
    LoadIdentity();
    Work[5] = c;
    Work[6] = s;
    Work[9] = -s;
    Work[10] = c;
    Multiply(Work);
}

void TMatrix::RotateY(float angle) {
    const auto [s, c] = SinCosOf(angle);
    LoadIdentity();
    Work[0] = c;
    Work[2] = -s;
    Work[8] = s;
    Work[10] = c;
    Multiply(Work);
}

void TMatrix::RotateZ(float angle) {
    const auto [s, c] = SinCosOf(angle);
    LoadIdentity();
    Work[0] = c;
    Work[1] = s;
    Work[4] = -s;
    Work[5] = c;
    Multiply(Work);
}

void TMatrix::Translate(float tx, float ty, float tz) {
    LoadIdentity();
    Work[12] = tx;
    Work[13] = ty;
    Work[14] = tz;
    Multiply(Work);
}
