#include "sysinfo/snapshot.h"

#include <algorithm>
#include <vector>

#include "platform/registry.h"
#include "platform/system_info.h"
#include "sysinfo/fact_rules.h"
#include "sysinfo/load_sample.h"
#include "sysinfo/machine_record.h"
#include "sysinfo/registry_text.h"

namespace {

using platform::kHkeyLocalMachine;

const std::u16string kProcessorKey = u"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const std::u16string kDisplayClassKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";
const std::u16string kBiosKey = u"HARDWARE\\DESCRIPTION\\System\\BIOS";
constexpr std::uint32_t kSubkeyNameCapacity = 128;
// A NetBIOS computer name has at most 15 characters.
constexpr std::uint32_t kComputerNameCapacity = 16;

std::u16string ProcessorName() {
    const std::u16string name =
        ReadRegistryText(kHkeyLocalMachine, kProcessorKey, u"ProcessorNameString");
    return name.empty() ? u"CPU" : name;
}

std::uint32_t BuildNumber() {
    std::uint32_t build = 0;
    return platform::OsBuildNumber(build).Ok() ? build : 0;
}

bool Elevated() {
    bool elevated = false;
    return platform::ProcessElevation(elevated).Ok() && elevated;
}

}  // namespace

void TakeMachineSnapshot() {
    MachineInfo& info = MachineRecord();
    info.CpuName = ProcessorName();
    info.GpuName = DisplayAdapterName();
    info.BoardName = BoardText();
    info.Build = BuildNumber();
    info.Cores = CountPhysicalCores();
    info.Threads = std::max(platform::ProcessorCount(), 1u);
    info.OsName = EditionText(info.Build);
    std::u16string hostName;
    if (platform::ComputerName(kComputerNameCapacity, hostName).Ok())
        info.HostName = hostName;
    info.IsElevated = Elevated();
    SampleMachineLoad();
}

std::uint32_t CountPhysicalCores() {
    std::uint32_t length = 0;
    // Without a buffer the call fails by design; it only tells the length it needs.
    static_cast<void>(platform::LogicalProcessorInformation(nullptr, length));
    if (length == 0)
        return 1;
    std::vector<std::uint8_t> table(length);
    if (!platform::LogicalProcessorInformation(table.data(), length).Ok())
        return 1;
    table.resize(std::min<std::size_t>(length, table.size()));
    return CoresInProcessorInformation(table);
}

std::u16string DisplayAdapterName() {
    AdapterChoice choice;
    platform::RegistryKey classKey;
    if (platform::RegistryOpenKey(kHkeyLocalMachine, kDisplayClassKey, kMachineKeyRead, classKey)
            .Ok()) {
        std::u16string subkey;
        for (std::uint32_t index = 0;
             platform::RegistryEnumKey(classKey, index, kSubkeyNameCapacity, subkey).Ok();
             ++index) {
            if (choice.Offer(ReadRegistryText(kHkeyLocalMachine, kDisplayClassKey + u"\\" + subkey,
                                              u"DriverDesc"))) {
                break;
            }
        }
    }
    return choice.Name();
}

std::u16string BoardText() {
    return BoardTextOf(ReadRegistryText(kHkeyLocalMachine, kBiosKey, u"BaseBoardManufacturer"),
                       ReadRegistryText(kHkeyLocalMachine, kBiosKey, u"BaseBoardProduct"),
                       ReadRegistryText(kHkeyLocalMachine, kBiosKey, u"SystemProductName"));
}
