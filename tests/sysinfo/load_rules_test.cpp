// The arithmetic of the load figures, each rule on its own.
#include <gtest/gtest.h>

#include <limits>

#include "sysinfo/load_rules.h"

namespace {

using platform::ProcessorTimes;

TEST(ProcessorLoadRule, IsTheShareOfTheIntervalThatWasNotIdle) {
    // Units of 100 ns; the earlier reading is the baseline.
    const ProcessorTimes base = {5'000'000, 9'000'000, 3'000'000};
    const struct {
        const char* name;
        ProcessorTimes previous;
        ProcessorTimes now;
        float current;
        float percent;
    } rows[] = {
        {"half busy: idle 1 000 000 of kernel 1 500 000 and user 500 000",
         base,
         {6'000'000, 10'500'000, 3'500'000},
         7.0f,
         50.0f},
        {"fully idle: idle equal to kernel, no user time",
         base,
         {7'000'000, 11'000'000, 3'000'000},
         42.0f,
         0.0f},
        {"no idle time at all", base, {5'000'000, 9'400'000, 3'600'000}, 42.0f, 100.0f},
        {"a quarter busy", base, {8'000'000, 12'000'000, 4'000'000}, 0.0f, 25.0f},
        {"the first reading only sets the baseline",
         {},
         {6'000'000, 10'500'000, 3'500'000},
         0.0f,
         0.0f},
        {"without a baseline the figure stays", {}, base, 33.0f, 33.0f},
        {"no time passed keeps the previous figure", base, base, 61.5f, 61.5f},
        // A reading can show a little more idle time than the interval holds.
        {"more idle than the interval is idle, not full",
         base,
         {7'000'100, 11'000'000, 3'000'000},
         42.0f,
         0.0f},
        {"counters past 32 bits",
         {1ull << 40, 3ull << 40, 1ull << 40},
         {(1ull << 40) + 300, (3ull << 40) + 400, (1ull << 40) + 200},
         0.0f,
         50.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FLOAT_EQ(CpuPercentBetween(row.previous, row.now, row.current), row.percent);
    }
}

TEST(MemoryInUseRule, IsTotalLessAvailable) {
    const struct {
        const char* name;
        platform::MemoryStatus memory;
        std::uint64_t used;
    } rows[] = {
        {"16 GiB with 10 available", {16ull << 30, 10ull << 30}, 6ull << 30},
        {"all available", {8ull << 30, 8ull << 30}, 0},
        {"none available", {8ull << 30, 0}, 8ull << 30},
        {"a reading with more available than total", {4ull << 30, 5ull << 30}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MemoryInUse(row.memory), row.used);
    }
}

TEST(UptimeRule, CountsWholeSecondsRoundedDown) {
    const struct {
        std::uint64_t tickMs;
        std::uint64_t seconds;
    } rows[] = {
        {0, 0},
        {999, 0},
        {1000, 1},
        {3'599'999, 3599},
        {3'600'000, 3600},
        {std::numeric_limits<std::uint64_t>::max(),
         std::numeric_limits<std::uint64_t>::max() / 1000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tickMs);
        EXPECT_EQ(UptimeSecondsAt(row.tickMs), row.seconds);
    }
}

}  // namespace
