#include "sysinfo/load_sample.h"

#include "platform/clock.h"
#include "sysinfo/load_rules.h"
#include "sysinfo/machine_record.h"

void SampleMachineLoad() {
    MachineInfo& info = MachineRecord();
    platform::ProcessorTimes times;
    if (platform::SystemTimes(times).Ok()) {
        info.CpuPercent = CpuPercentBetween(ProcessorBaseline(), times, info.CpuPercent);
        ProcessorBaseline() = times;
    }
    platform::MemoryStatus memory;
    if (platform::PhysicalMemory(memory).Ok()) {
        info.MemTotal = memory.totalPhysical;
        info.MemUsed = MemoryInUse(memory);
    }
    static const std::u16string kSystemDrive = u"C:\\";
    platform::DiskSpace disk;
    if (platform::DiskFreeSpace(kSystemDrive, disk).Ok()) {
        info.DiskTotal = disk.totalBytes;
        info.DiskFree = disk.freeBytesAvailableToCaller;
    }
    info.UptimeSeconds = UptimeSecondsAt(platform::TickCountMs());
}
