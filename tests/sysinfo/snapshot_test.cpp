// The machine snapshot on the simulated machine: what it reads, where, and the fallback of
// every fact that cannot be read.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "support/bytes.h"
#include "support/machine_info_print.h"
#include "support/sim_fixture.h"
#include "sysinfo/registry_text.h"
#include "sysinfo/snapshot.h"

namespace {

using platform::kHkeyLocalMachine;

const std::u16string kProcessorKey = u"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const std::u16string kBiosKey = u"HARDWARE\\DESCRIPTION\\System\\BIOS";
const std::u16string kDisplayClass =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";

class SnapshotTest : public SimTest {
  protected:
    static void PutText(const std::u16string& subkey, const std::u16string& name,
                        const std::u16string& text) {
        sim::PutRegistryValue(kHkeyLocalMachine, subkey, name, platform::kRegSz,
                              Bytes().Utf16(text).Raw({0, 0}));
    }
    static void PutAdapter(const std::u16string& subkey, const std::u16string& description) {
        PutText(kDisplayClass + u"\\" + subkey, u"DriverDesc", description);
    }
    static void SeedHealthyMachine() {
        PutText(kProcessorKey, u"ProcessorNameString", u"AMD Ryzen 7 7800X3D 8-Core Processor  ");
        PutAdapter(u"0000", u"NVIDIA GeForce RTX 4070");
        PutText(kBiosKey, u"BaseBoardManufacturer", u"ASUSTeK COMPUTER INC.");
        PutText(kBiosKey, u"BaseBoardProduct", u"ROG STRIX B650-A GAMING WIFI");
        PutText(kBiosKey, u"SystemProductName", u"System Product Name");
        sim::TheMachine().systemInfo.elevated = true;
    }
    static sim::SystemInfo& Info() { return sim::TheMachine().systemInfo; }
    static std::size_t OpenKeys() { return sim::TheMachine().registry.open.size(); }
};

TEST_F(SnapshotTest, FillsEveryFactAndTheFirstLoadSample) {
    SeedHealthyMachine();
    sim::TheMachine().tickMs = 7'200'500;
    TakeMachineSnapshot();
    const MachineInfo& info = GetMachineInfo();
    EXPECT_EQ(info.CpuName, u"AMD Ryzen 7 7800X3D 8-Core Processor");
    EXPECT_EQ(info.GpuName, u"NVIDIA GeForce RTX 4070");
    EXPECT_EQ(info.OsName, u"Windows 11  build 22631");
    EXPECT_EQ(info.HostName, u"SIMHOST");
    EXPECT_EQ(info.BoardName, u"ASUSTeK COMPUTER INC. ROG STRIX B650-A GAMING WIFI");
    EXPECT_EQ(info.Cores, 4u);
    EXPECT_EQ(info.Threads, 8u);
    EXPECT_EQ(info.Build, 22631u);
    EXPECT_TRUE(info.IsElevated);
    EXPECT_EQ(info.CpuPercent, 0.0f);
    EXPECT_EQ(info.MemTotal, 16ull << 30);
    EXPECT_EQ(info.MemUsed, 6ull << 30);
    EXPECT_EQ(info.DiskTotal, 512ull << 30);
    EXPECT_EQ(info.DiskFree, 200ull << 30);
    EXPECT_EQ(info.UptimeSeconds, 7200u);
}

TEST_F(SnapshotTest, ReadsTheRegistryInThe64BitViewAndClosesEveryKey) {
    SeedHealthyMachine();
    TakeMachineSnapshot();
    const std::vector<std::uint32_t>& opens = sim::TheMachine().registry.openAccess;
    ASSERT_FALSE(opens.empty());
    for (const std::uint32_t access : opens)
        EXPECT_EQ(access, 0x20119u);
    EXPECT_EQ(OpenKeys(), 0u);
}

TEST_F(SnapshotTest, EachFactThatCannotBeReadGetsItsFallback) {
    SeedHealthyMachine();
    TakeMachineSnapshot();
    const MachineInfo healthy = GetMachineInfo();
    const struct {
        const char* name;
        std::function<void()> fault;
        std::function<void(MachineInfo&)> expected;  // applied to the healthy record
    } rows[] = {
        {"no processor name",
         [] { sim::TheMachine().registry.keys.erase(u"HKEY_LOCAL_MACHINE\\" + kProcessorKey); },
         [](MachineInfo& info) { info.CpuName = u"CPU"; }},
        {"a processor name of spaces only",
         [] { PutText(kProcessorKey, u"ProcessorNameString", u"   "); },
         [](MachineInfo& info) { info.CpuName = u"CPU"; }},
        {"the display class refuses to open",
         [] {
             sim::TheMachine().registryFaults.deniedKeys.insert(u"HKEY_LOCAL_MACHINE\\" +
                                                                kDisplayClass);
         },
         [](MachineInfo& info) { info.GpuName = u"GPU"; }},
        {"no board values",
         [] { sim::TheMachine().registry.keys.erase(u"HKEY_LOCAL_MACHINE\\" + kBiosKey); },
         [](MachineInfo& info) { info.BoardName = u"motherboard"; }},
        {"no RtlGetVersion", [] { Info().versionError = platform::kErrorProcNotFound; },
         [](MachineInfo& info) {
             info.Build = 0;
             info.OsName = u"Windows 10  build 0";
         }},
        {"the processor table asks for nothing", [] { Info().processorInformation.clear(); },
         [](MachineInfo& info) { info.Cores = 1; }},
        {"the processor table cannot be read",
         [] { Info().processorInformationError = platform::kErrorAccessDenied; },
         [](MachineInfo& info) { info.Cores = 1; }},
        {"no processors reported", [] { Info().processors = 0; },
         [](MachineInfo& info) { info.Threads = 1; }},
        {"a computer name that needs more than 16 units",
         [] { Info().computerName = u"ABCDEFGHIJKLMNOP"; },
         [](MachineInfo& info) { info.HostName.clear(); }},
        {"a 15-character computer name fits", [] { Info().computerName = u"ABCDEFGHIJKLMNO"; },
         [](MachineInfo& info) { info.HostName = u"ABCDEFGHIJKLMNO"; }},
        {"the token refuses the query",
         [] { Info().elevationError = platform::kErrorAccessDenied; },
         [](MachineInfo& info) { info.IsElevated = false; }},
        {"a standard user", [] { Info().elevated = false; },
         [](MachineInfo& info) { info.IsElevated = false; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        ForgetMachineInfo();
        SeedHealthyMachine();
        row.fault();
        TakeMachineSnapshot();
        MachineInfo expected = healthy;
        row.expected(expected);
        EXPECT_EQ(GetMachineInfo(), expected);
        EXPECT_EQ(OpenKeys(), 0u);
    }
}

TEST_F(SnapshotTest, RegistryTextEndsAtTheFirstNulAndFitsIn1022Bytes) {
    const std::u16string key = u"HARDWARE\\Test";
    const std::u16string fits(511, u'x');
    const struct {
        const char* name;
        std::function<void()> seed;
        std::u16string text;
    } rows[] = {
        {"a string with its NUL", [&] { PutText(key, u"V", u"  Intel\tCore \r\n"); },
         u"Intel\tCore"},
        {"a NUL inside ends the text",
         [&] {
             sim::PutRegistryValue(kHkeyLocalMachine, key, u"V", platform::kRegSz,
                                   Bytes().Utf16(u"first").Raw({0, 0}).Utf16(u"second"));
         },
         u"first"},
        {"a string without its NUL",
         [&] {
             sim::PutRegistryValue(kHkeyLocalMachine, key, u"V", platform::kRegSz,
                                   Bytes().Utf16(u"bare"));
         },
         u"bare"},
        {"1022 bytes without a NUL fit",
         [&] {
             sim::PutRegistryValue(kHkeyLocalMachine, key, u"V", platform::kRegSz,
                                   Bytes().Utf16(fits));
         },
         fits},
        {"1024 bytes do not fit", [&] { PutText(key, u"V", fits); }, u""},
        {"the type is not examined",
         [&] {
             sim::PutRegistryValue(kHkeyLocalMachine, key, u"V", platform::kRegBinary,
                                   Bytes().Utf16(u"raw"));
         },
         u"raw"},
        {"a missing value", [&] { PutText(key, u"Other", u"x"); }, u""},
        {"a missing key", [] {}, u""},
        {"a key that refuses to open",
         [&] {
             PutText(key, u"V", u"hidden");
             sim::TheMachine().registryFaults.deniedKeys.insert(u"HKEY_LOCAL_MACHINE\\" + key);
         },
         u""},
        {"a value that refuses to be read",
         [&] {
             PutText(key, u"V", u"hidden");
             sim::TheMachine().registryFaults.secondReadFails.insert(u"HKEY_LOCAL_MACHINE\\" + key +
                                                                     u"\\V");
         },
         u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        row.seed();
        EXPECT_EQ(ReadRegistryText(kHkeyLocalMachine, key, u"V"), row.text);
        EXPECT_EQ(OpenKeys(), 0u);
    }
}

TEST_F(SnapshotTest, TheAdapterIsChosenFromTheDisplayClassInOrder) {
    const struct {
        const char* name;
        std::vector<std::pair<std::u16string, std::u16string>> adapters;  // subkey, description
        std::u16string chosen;
        std::size_t opens;  // the class key and the subkeys read
    } rows[] = {
        {"no display class", {}, u"GPU", 1},
        {"remote display first, then the real adapter",
         {{u"0000", u"Microsoft Remote Display Adapter"}, {u"0001", u"Intel(R) Arc(TM) A770"}},
         u"Intel(R) Arc(TM) A770",
         3},
        {"only the basic display adapter",
         {{u"0000", u"Microsoft Basic Display Adapter"}},
         u"Microsoft Basic Display Adapter",
         2},
        {"the first real adapter ends the search",
         {{u"0000", u"AMD Radeon(TM) Graphics"}, {u"0001", u"NVIDIA GeForce RTX 4090"}},
         u"AMD Radeon(TM) Graphics",
         2},
        {"subkeys without a description are passed over",
         {{u"0000", u""}, {u"0001", u""}, {u"0002", u"Matrox G200eW"}},
         u"Matrox G200eW",
         4},
        {"no readable description at all", {{u"0000", u""}, {u"Properties", u""}}, u"GPU", 3},
        // The name buffer holds 127 characters; a longer name ends the enumeration.
        {"a subkey name too long for the buffer ends the search",
         {{std::u16string(128, u'0'), u"Skipped Adapter"}, {u"1", u"Not Reached"}},
         u"GPU",
         1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        for (const auto& [subkey, description] : row.adapters) {
            if (description.empty()) {
                sim::PutRegistryValue(kHkeyLocalMachine, kDisplayClass + u"\\" + subkey, u"Other",
                                      platform::kRegSz, {});
            } else {
                PutAdapter(subkey, description);
            }
        }
        EXPECT_EQ(DisplayAdapterName(), row.chosen);
        EXPECT_EQ(sim::TheMachine().registry.openAccess.size(), row.opens);
        EXPECT_EQ(OpenKeys(), 0u);
    }
}

TEST_F(SnapshotTest, CoresComeFromTheProcessorTable) {
    EXPECT_EQ(CountPhysicalCores(), 4u);
    Info().processorInformation = sim::ProcessorInformationEntry(1);
    EXPECT_EQ(CountPhysicalCores(), 1u);
    Info().processorInformation.clear();
    EXPECT_EQ(CountPhysicalCores(), 1u);
}

TEST_F(SnapshotTest, TheBoardTextComesFromTheBiosKey) {
    PutText(kBiosKey, u"BaseBoardManufacturer", u"Dell Inc.");
    PutText(kBiosKey, u"SystemProductName", u"OptiPlex 7090 ");
    EXPECT_EQ(BoardText(), u"OptiPlex 7090");
    PutText(kBiosKey, u"BaseBoardProduct", u" 0K3CM7");
    EXPECT_EQ(BoardText(), u"Dell Inc. 0K3CM7");
}

}  // namespace
