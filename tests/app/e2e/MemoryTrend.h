#pragma once
// Whether memory read many times through a run grew for good. Two robust
// figures must both say so: the median of the last quarter's readings
// stands above the median of the first quarter's by more than a floor, and
// the median of the slopes between every two readings (Theil-Sen) is above a
// bound. Medians let a reading or two out of line (a spike, a page mapped
// and dropped again) move nothing; the slope tells a leak, which grows with
// every event, from a slow creep or a one-off step that a long run adds up
// to more than the floor. Portable: the readings come from elsewhere.
#include <cstddef>
#include <cstdint>
#include <vector>

struct TTrendBounds {
    uint64_t MinRise = 0;     // bytes the last quarter's median may stand above the first's
    double MaxSlope = 0;      // bytes per reading the slope may reach
};

struct TMemoryTrend {
    uint64_t FirstQuarter = 0;  // median of the first quarter's readings
    uint64_t LastQuarter = 0;   // median of the last quarter's
    double Slope = 0;           // bytes per reading
    bool Grows = false;         // both bounds exceeded
};

// Needs 8 readings or more (two to a quarter); with fewer nothing is judged
// and Grows stays false.
inline constexpr std::size_t MinTrendReadings = 8;
TMemoryTrend JudgeMemoryTrend(const std::vector<uint64_t>& readings, const TTrendBounds& bounds);

// The soak's bounds, for a reading every 25 events. Under Wine, over 1,000
// events, the program's private bytes rose by 80 to 88 KB between the
// quarters' medians, in steps of 4 to 32 KB, a slope of 72 to 78 bytes an
// event; a leak of 1 KB an event raises the medians by about 775 KB. Both
// bounds sit near the geometric middle of creep and leak: 256 KB, three
// times the creep and a third of the leak, and 256 bytes an event, three
// times the creep's slope and a quarter of the leak's.
inline constexpr int SoakReadingEvery = 25;
inline constexpr TTrendBounds SoakMemoryBounds{256 * 1024, 256.0 * SoakReadingEvery};
