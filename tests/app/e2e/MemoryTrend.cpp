#include "MemoryTrend.h"

#include <algorithm>
#include <cstddef>

namespace {

// The lower middle of an even count: a reading that was taken.
template <typename T>
T Median(std::vector<T> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

TMemoryTrend JudgeMemoryTrend(const std::vector<uint64_t>& readings, const TTrendBounds& bounds) {
    TMemoryTrend trend;
    const size_t n = readings.size();
    if (n < MinTrendReadings) return trend;
    const auto quarter = static_cast<std::ptrdiff_t>(n / 4);
    trend.FirstQuarter = Median(std::vector<uint64_t>(readings.begin(), readings.begin() + quarter));
    trend.LastQuarter = Median(std::vector<uint64_t>(readings.end() - quarter, readings.end()));
    std::vector<double> slopes;
    slopes.reserve(n * (n - 1) / 2);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            slopes.push_back((static_cast<double>(readings[j]) - static_cast<double>(readings[i])) /
                             static_cast<double>(j - i));
    trend.Slope = Median(std::move(slopes));
    trend.Grows = trend.LastQuarter > trend.FirstQuarter + bounds.MinRise && trend.Slope > bounds.MaxSlope;
    return trend;
}
