#include <gtest/gtest.h>

#include <cstdint>

#include "IntegerList.h"
#include "ObjectList.h"

namespace {

struct GrowthCase {
    int32_t initial, delta;
    int32_t startCapacity;  // grown to this first by Put(startCapacity - 2)
    int32_t putIndex;
    int32_t expectedCapacity;
};

class ListGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(ListGrowth, PutGrowsInDeltaStepsLeavingOneFreeSlot) {
    const auto& c = GetParam();
    TIntegerList list(c.initial, c.delta);
    if (c.startCapacity > list.Capacity) list.Put(c.startCapacity - 2, 1);
    ASSERT_EQ(list.Capacity, c.startCapacity);
    list.Put(c.putIndex, 42);
    EXPECT_EQ(list.Capacity, c.expectedCapacity);
    EXPECT_EQ(list.Get(c.putIndex), 42);
    EXPECT_EQ(list.Count(), c.putIndex + 1);
}

INSTANTIATE_TEST_SUITE_P(Examples, ListGrowth,
                         ::testing::Values(GrowthCase{16, 16, 16, 16, 32}, GrowthCase{16, 16, 32, 31, 32},
                                           GrowthCase{16, 16, 32, 47, 64}, GrowthCase{16, 16, 16, 15, 16},
                                           GrowthCase{1, 1, 1, 5, 7}));

TEST(IntegerList, ZeroArgumentsMeanSixteen) {
    TIntegerList list(0, 0);
    EXPECT_EQ(list.Capacity, 16);
    EXPECT_EQ(list.Delta, 16);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(0), 0);
}

TEST(IntegerList, AddGrowsByOneDeltaAndClearShrinksBack) {
    TIntegerList list(16, 16);
    for (int i = 0; i < 16; ++i) list.Add(i);
    EXPECT_EQ(list.Capacity, 16);
    list.Add(16);
    EXPECT_EQ(list.Capacity, 32);
    EXPECT_EQ(list.Count(), 17);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(list.Get(i), i);
    list.Clear();
    EXPECT_EQ(list.Capacity, 16);
    EXPECT_EQ(list.Count(), 0);
}

TEST(IntegerList, OutOfRangeReadsAreZeroAndDeletesAreIgnored) {
    TIntegerList list;
    list.Add(7);
    list.Add(8);
    list.Add(9);
    EXPECT_EQ(list.Get(-1), 0);
    EXPECT_EQ(list.Get(3), 0);
    EXPECT_EQ(list.Get(1 << 30), 0);
    list.Delete(-1);
    list.Delete(3);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(2);  // the last index only shortens the list
    EXPECT_EQ(list.Count(), 2);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0), 8);
}

TEST(IntegerList, PutIgnoresNegativeAndOverflowingIndices) {
    TIntegerList list(16, 16);
    list.Put(-1, 5);
    EXPECT_EQ(list.Count(), 0);
    list.Put(INT32_MAX, 5);  // its slot count would overflow
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity, 16);
}

TEST(IntegerList, SlotsPassedOverByPutReadAsZero) {
    TIntegerList list(4, 4);
    list.Add(1);
    list.Add(2);
    list.Delete(1);
    list.Delete(0);
    list.Put(10, 3);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(list.Get(i), 0) << i;
    EXPECT_EQ(list.Get(10), 3);
}

TEST(IntegerList, IndexOfFindsTheLowestMatchAndComparesBitPatterns) {
    TIntegerList list;
    EXPECT_EQ(list.IndexOf(0), -1);
    list.Add(5);
    list.Add(static_cast<int32_t>(0xFFFFFFFFu));
    list.Add(5);
    EXPECT_EQ(list.IndexOf(5), 0);
    EXPECT_EQ(list.IndexOf(-1), 1);
    EXPECT_EQ(static_cast<uint32_t>(list.Get(1)), 0xFFFFFFFFu);
    EXPECT_EQ(list.IndexOf(6), -1);
}

TEST(IntegerList, CopyToReplacesTheDestinationExactly) {
    TIntegerList source, destination;
    source.Add(1);
    source.Add(2);
    for (int i = 0; i < 40; ++i) destination.Add(100 + i);
    source.CopyTo(destination);
    ASSERT_EQ(destination.Count(), 2);
    EXPECT_EQ(destination.Get(0), 1);
    EXPECT_EQ(destination.Get(1), 2);
    EXPECT_EQ(destination.Capacity, 16);
}

TEST(PointerList, HoldsFullWidthReferences) {
    TPointerList list;
    int object = 0;
    const auto ref = reinterpret_cast<uintptr_t>(&object);
    list.Add(ref);
    EXPECT_EQ(list.Get(0), ref);
    EXPECT_EQ(list.IndexOf(ref), 0);
    if constexpr (sizeof(uintptr_t) == 8) {
        const uintptr_t high = uintptr_t{0x12345678} << 32 | 0x9ABCDEF0u;
        list.Add(high);
        EXPECT_EQ(list.Get(1), high);
    }
}

class Counted : public TObject {
public:
    explicit Counted(int& alive) : Alive(alive) { ++Alive; }
    ~Counted() override { --Alive; }
    int& Alive;
};

TEST(ObjectList, HoldsReferencesWithoutOwningThem) {
    int alive = 0;
    Counted a(alive), b(alive);
    {
        TObjectList list;
        list.Add(&a);
        list.Add(&b);
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.Get(1), &b);
        EXPECT_EQ(list.Get(2), nullptr);
        EXPECT_EQ(list.Get(-1), nullptr);
        list.Delete(0);
        EXPECT_EQ(list.GetAs<Counted>(0), &b);
        list.Delete(5);
        EXPECT_EQ(list.Count(), 1);
        list.Clear();
        EXPECT_EQ(list.Count(), 0);
        list.Add(&a);
    }
    EXPECT_EQ(alive, 2);
}

}  // namespace
