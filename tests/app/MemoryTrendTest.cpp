#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "e2e/MemoryTrend.h"

namespace {

constexpr int64_t KB = 1024;

struct TCase {
    const char* Name;
    int Readings;           // 41: 1,000 events; 401: 10,000
    int64_t PerEvent;       // bytes of growth an event
    int SpikeAt = -1;       // one reading 8 MB high
    int64_t StepAt = -1, Step = 0;  // from this reading on, this much higher
    bool Grows = false;
};

// Private bytes as Wine showed them, with noise added: up to 96 KB either
// way, changing with every reading.
std::vector<uint64_t> Series(const TCase& c) {
    std::vector<uint64_t> s;
    for (int i = 0; i < c.Readings; ++i) {
        int64_t v = 14000 * KB + ((i * 7) % 5 - 2) * 48 * KB + c.PerEvent * SoakReadingEvery * i;
        if (i == c.SpikeAt) v += 8192 * KB;
        if (c.StepAt >= 0 && i >= c.StepAt) v += c.Step;
        s.push_back(static_cast<uint64_t>(v));
    }
    return s;
}

TEST(MemoryTrend, TheSoakFailsOnlySustainedGrowth) {
    const TCase cases[] = {
        {"flat and noisy", 41, 0},
        {"a spike in the last quarter", 41, 0, 37},
        {"a spike in the first quarter", 41, 0, 3},
        {"creeping 90 bytes an event for 10,000 events", 401, 90},
        {"one step of 1 MB in a long run", 401, 0, -1, 200, 1024 * KB},
        {"one step of 200 KB in a short run", 12, 0, -1, 6, 200 * KB},
        {"falling 1 KB an event", 41, -1024},
        {"1 KB an event", 41, 1024, -1, -1, 0, true},
        {"1 KB an event, a spike at the start", 41, 1024, 0, -1, 0, true},
        {"1 KB an event for 10,000 events", 401, 1024, -1, -1, 0, true},
    };
    for (const TCase& c : cases) {
        const TMemoryTrend t = JudgeMemoryTrend(Series(c), SoakMemoryBounds);
        EXPECT_EQ(t.Grows, c.Grows) << c.Name << ": medians " << t.FirstQuarter / KB << " and " << t.LastQuarter / KB
                                    << " KB, slope " << t.Slope / SoakReadingEvery << " bytes an event";
    }
}

TEST(MemoryTrend, FiguresOfAnExactRampAndTooFewReadings) {
    std::vector<uint64_t> ramp;
    for (uint64_t i = 0; i < 41; ++i) ramp.push_back(1000 + 10 * i);
    const TMemoryTrend t = JudgeMemoryTrend(ramp, {309, 9.9});
    EXPECT_EQ(t.FirstQuarter, 1040u);  // the lower middle of readings 0 to 9
    EXPECT_EQ(t.LastQuarter, 1350u);   // of readings 31 to 40
    EXPECT_DOUBLE_EQ(t.Slope, 10.0);
    EXPECT_TRUE(t.Grows);
    EXPECT_FALSE(JudgeMemoryTrend(ramp, {310, 9.9}).Grows) << "a rise of the floor itself is allowed";
    EXPECT_FALSE(JudgeMemoryTrend(ramp, {309, 10.0}).Grows) << "a slope of the bound itself is allowed";
    EXPECT_FALSE(JudgeMemoryTrend({1, 1, 1, 1, 9, 9, 9}, {0, 0}).Grows) << "seven readings are not judged";
}

}  // namespace
