// The one process-wide record of the machine: facts taken once at start-up and load figures
// refreshed every 500 ms, which the sidebar and the dashboard read every frame.
#pragma once

#include <cstdint>
#include <string>

struct MachineInfo {
    std::u16string CpuName;
    std::u16string GpuName;
    std::u16string OsName;  // "Windows 11  build 22631"
    std::u16string HostName;
    std::u16string BoardName;
    std::uint32_t Cores = 0;
    std::uint32_t Threads = 0;
    std::uint32_t Build = 0;
    float CpuPercent = 0.0f;  // over the last interval, 0 to 100
    std::uint64_t MemTotal = 0;
    std::uint64_t MemUsed = 0;
    std::uint64_t DiskFree = 0;  // on C:, available to this user
    std::uint64_t DiskTotal = 0;
    std::uint64_t UptimeSeconds = 0;
    bool IsElevated = false;

    bool operator==(const MachineInfo&) const = default;
};

// Written only by the snapshot and the load sample, on the interface thread.
const MachineInfo& GetMachineInfo();

// Back to the values before the snapshot, the processor-time baseline of the load sample
// included; tests use it so that no case sees what an earlier one took.
void ForgetMachineInfo();
