#include "sysinfo/machine_info.h"

#include "sysinfo/machine_record.h"

MachineInfo& MachineRecord() {
    static MachineInfo record;
    return record;
}

platform::ProcessorTimes& ProcessorBaseline() {
    static platform::ProcessorTimes baseline;
    return baseline;
}

const MachineInfo& GetMachineInfo() {
    return MachineRecord();
}

void ForgetMachineInfo() {
    MachineRecord() = MachineInfo{};
    ProcessorBaseline() = platform::ProcessorTimes{};
}
