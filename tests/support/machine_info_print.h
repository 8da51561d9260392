// Prints a machine record in a failure message, field by field.
#pragma once

#include <ostream>

#include "state/text.h"
#include "sysinfo/machine_info.h"

inline void PrintTo(const MachineInfo& info, std::ostream* out) {
    *out << "{CpuName \"" << ToUtf8(info.CpuName) << "\", GpuName \"" << ToUtf8(info.GpuName)
         << "\", OsName \"" << ToUtf8(info.OsName) << "\", HostName \"" << ToUtf8(info.HostName)
         << "\", BoardName \"" << ToUtf8(info.BoardName) << "\", Cores " << info.Cores
         << ", Threads " << info.Threads << ", Build " << info.Build << ", CpuPercent "
         << info.CpuPercent << ", MemTotal " << info.MemTotal << ", MemUsed " << info.MemUsed
         << ", DiskFree " << info.DiskFree << ", DiskTotal " << info.DiskTotal << ", UptimeSeconds "
         << info.UptimeSeconds << ", IsElevated " << info.IsElevated << "}";
}
