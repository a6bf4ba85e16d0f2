#include <gtest/gtest.h>

#include <array>
#include <numbers>

#include "Matrix.h"

namespace {

struct Point {
    float x, y, z;
};

Point Apply(const TMatrix& m, Point p) {
    auto col = [&](int c) {
        return static_cast<float>(static_cast<double>(p.x) * m.At(0, c) + static_cast<double>(p.y) * m.At(1, c) +
                                  static_cast<double>(p.z) * m.At(2, c) + m.At(3, c));
    };
    return {col(0), col(1), col(2)};
}

constexpr TMatrix4 Identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr float HalfPi = std::numbers::pi_v<float> / 2;

TEST(Matrix, StartsAsIdentityAndMultiplyByIdentityCopiesCurrentIntoWork) {
    TMatrix m;
    EXPECT_EQ(m.Current, Identity);
    EXPECT_EQ(m.Work, Identity);
    m.Scale(2, 3, 4);
    const TMatrix4 before = m.Current;
    m.LoadIdentity();
    m.Multiply(Identity);
    EXPECT_EQ(m.Current, before);
    EXPECT_EQ(m.Work, before);
}

TEST(Matrix, ScaleAfterResetIsDiagonal) {
    TMatrix m;
    m.Reset();
    m.Scale(100, 100, 100);
    EXPECT_EQ(m.Current, (TMatrix4{100, 0, 0, 0, 0, 100, 0, 0, 0, 0, 100, 0, 0, 0, 0, 1}));
}

TEST(Matrix, OperationsActInCallOrder) {
    TMatrix m;
    m.Scale(2, 2, 2);
    m.Translate(1, 0, 0);
    EXPECT_FLOAT_EQ(Apply(m, {1, 0, 0}).x, 3.0f);
    m.Reset();
    m.Translate(1, 0, 0);
    m.Scale(2, 2, 2);
    EXPECT_FLOAT_EQ(Apply(m, {1, 0, 0}).x, 4.0f);
}

struct RotationCase {
    const char* name;
    void (TMatrix::*rotate)(float);
    Point from, to;
};

class Rotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(Rotation, TurnsAQuarterInItsSense) {
    const auto& c = GetParam();
    TMatrix m;
    (m.*c.rotate)(HalfPi);
    const Point p = Apply(m, c.from);
    EXPECT_NEAR(p.x, c.to.x, 1e-6);
    EXPECT_NEAR(p.y, c.to.y, 1e-6);
    EXPECT_NEAR(p.z, c.to.z, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Senses, Rotation,
                         ::testing::Values(RotationCase{"XTurnsYTowardsZ", &TMatrix::RotateX, {0, 1, 0}, {0, 0, 1}},
                                           RotationCase{"YTurnsZTowardsX", &TMatrix::RotateY, {0, 0, 1}, {1, 0, 0}},
                                           RotationCase{"ZTurnsXTowardsY", &TMatrix::RotateZ, {1, 0, 0}, {0, 1, 0}}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(Matrix, RotationUsesSingleRoundedSineAndItsNegation) {
    TMatrix m;
    m.RotateZ(0.3f);
    const auto [s, c] = SinCosOf(0.3f);
    EXPECT_EQ(m.Current[0], c);
    EXPECT_EQ(m.Current[1], s);
    EXPECT_EQ(m.Current[4], -s);
    EXPECT_EQ(m.Current[5], c);
}

TEST(Matrix, HugeAnglesGiveZeroSineAndCosine) {
    const auto big = SinCosOf(0x1p63f);
    EXPECT_EQ(big.s, 0.0f);
    EXPECT_EQ(big.c, 0.0f);
    const auto inf = SinCosOf(std::numeric_limits<float>::infinity());
    EXPECT_EQ(inf.s, 0.0f);
    EXPECT_EQ(inf.c, 0.0f);
    const auto justBelow = SinCosOf(0x1p62f);
    EXPECT_NE(justBelow.s == 0.0f && justBelow.c == 0.0f, true);
}

// Extended precision is real on this build: sinl of a single angle agrees with
// a correctly rounded reference in the last float bit where double would not
// necessarily; at least check long double carries more than double's 53 bits.
TEST(Matrix, LongDoubleIsExtendedPrecision) {
    volatile long double one = 1.0L;
    volatile long double tiny = 0x1p-60L;
    EXPECT_NE(one + tiny, one);
}

TEST(Matrix, AssignCopiesOnlyCurrent) {
    TMatrix source, copy;
    source.Scale(5, 5, 5);
    copy.Translate(1, 2, 3);
    const TMatrix4 copyWork = copy.Work;
    copy.Assign(source);
    EXPECT_EQ(copy.Current, source.Current);
    EXPECT_EQ(copy.Work, copyWork);
    copy.RotateY(1.0f);
    EXPECT_EQ(source.Current, (TMatrix4{5, 0, 0, 0, 0, 5, 0, 0, 0, 0, 5, 0, 0, 0, 0, 1}));
}

TEST(Matrix, ProductSumsInDoubleAndRoundsOnceToSingle) {
    TMatrix m;
    m.Current = {1.0f, 0x1p-30f, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    TMatrix4 n = Identity;
    n[0] = 1.0f + 0x1p-23f;
    n[4] = 0x1p-23f;
    m.Multiply(n);
    // 1 + 2^-23 + 2^-53 is formed in double, then rounded to the float 1 + 2^-23.
    EXPECT_EQ(m.Current[0], 1.0f + 0x1p-23f);
}

}  // namespace
