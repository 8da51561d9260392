// The record and the processor-time baseline as the snapshot and the load sample write them.
#pragma once

#include "platform/system_info.h"
#include "sysinfo/machine_info.h"

MachineInfo& MachineRecord();
// The system times of the previous load sample; all 0 before the first one.
platform::ProcessorTimes& ProcessorBaseline();
