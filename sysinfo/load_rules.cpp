#include "sysinfo/load_rules.h"

#include <algorithm>

namespace {

std::uint64_t AtLeastZero(std::uint64_t from, std::uint64_t taken) {
    return from > taken ? from - taken : 0;
}

}  // namespace

float CpuPercentBetween(const platform::ProcessorTimes& previous,
                        const platform::ProcessorTimes& now, float current) {
    if (previous.kernel == 0)
        return current;
    // Idle time is counted inside kernel time.
    const std::uint64_t total = (now.kernel - previous.kernel) + (now.user - previous.user);
    if (total == 0)
        return current;
    // Readings taken a moment apart can show a little more idle time than the interval
    // holds; that interval was idle, not full.
    const std::uint64_t busy = AtLeastZero(total, now.idle - previous.idle);
    const double percent = static_cast<double>(busy) / static_cast<double>(total) * 100.0;
    return static_cast<float>(std::clamp(percent, 0.0, 100.0));
}

std::uint64_t MemoryInUse(const platform::MemoryStatus& memory) {
    return AtLeastZero(memory.totalPhysical, memory.availablePhysical);
}

std::uint64_t UptimeSecondsAt(std::uint64_t tickMs) {
    return tickMs / 1000;
}
