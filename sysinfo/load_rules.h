// The arithmetic of the load figures; pure, so that each rule is tested on its own.
#pragma once

#include <cstdint>

#include "platform/system_info.h"

// The processor load between two readings of the system times, 0 to 100: the share of the
// kernel and user time that was not idle. `current` stays when there is no earlier reading
// (its kernel time is 0) or no time has passed between the two.
float CpuPercentBetween(const platform::ProcessorTimes& previous,
                        const platform::ProcessorTimes& now, float current);

// Physical memory in use; 0 rather than a wrapped figure should a reading claim more
// available than there is.
std::uint64_t MemoryInUse(const platform::MemoryStatus& memory);

// Whole seconds, rounded down.
std::uint64_t UptimeSecondsAt(std::uint64_t tickMs);
