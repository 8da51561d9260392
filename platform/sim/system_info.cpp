// The simulated machine's facts and load, answered from sim::Machine::systemInfo with the
// codes Windows gives.
#include "platform/system_info.h"

#include <algorithm>

#include "platform/sim/sim.h"

namespace platform {
namespace {

sim::SystemInfo& Info() {
    return sim::TheMachine().systemInfo;
}

}  // namespace

Status SystemTimes(ProcessorTimes& times) {
    if (Info().timesError != 0)
        return Status(Info().timesError);
    times = Info().times;
    return Status();
}

Status PhysicalMemory(MemoryStatus& status) {
    if (Info().memoryError != 0)
        return Status(Info().memoryError);
    status = Info().memory;
    return Status();
}

Status DiskFreeSpace(const std::u16string& root, DiskSpace& space) {
    const auto found = Info().drives.find(root);
    if (found == Info().drives.end())
        return Status(kErrorPathNotFound);
    space = found->second;
    return Status();
}

Status LogicalProcessorInformation(std::uint8_t* buffer, std::uint32_t& length) {
    const sim::Bytes& entries = Info().processorInformation;
    const std::uint32_t needed = static_cast<std::uint32_t>(entries.size());
    if (buffer == nullptr || length < needed) {
        length = needed;
        return Status(kErrorInsufficientBuffer);
    }
    if (Info().processorInformationError != 0)
        return Status(Info().processorInformationError);
    std::copy(entries.begin(), entries.end(), buffer);
    length = needed;
    return Status();
}

std::uint32_t ProcessorCount() {
    return Info().processors;
}

Status ComputerName(std::uint32_t capacity, std::u16string& name) {
    name.clear();
    if (Info().computerName.size() + 1 > capacity)
        return Status(kErrorBufferOverflow);
    name = Info().computerName;
    return Status();
}

Status OsBuildNumber(std::uint32_t& build) {
    build = 0;
    if (Info().versionError != 0)
        return Status(Info().versionError);
    build = Info().build;
    return Status();
}

Status ProcessElevation(bool& elevated) {
    elevated = false;
    if (Info().elevationError != 0)
        return Status(Info().elevationError);
    elevated = Info().elevated;
    return Status();
}

}  // namespace platform
