// The machine queries, run against the platform this executable links, so that the
// simulation is held to what Windows does: the shapes the snapshot and the load sample rely
// on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/system_info.h"
#include "support/test_platform.h"
#include "sysinfo/fact_rules.h"

namespace {

class SystemInfoTest : public ::testing::Test {
  protected:
    void SetUp() override { static_cast<void>(ScratchFolder()); }  // a fresh simulated machine
};

TEST_F(SystemInfoTest, TheProcessorTableTellsItsLengthFirstThenFillsWholeEntries) {
    std::uint32_t length = 0;
    EXPECT_EQ(platform::LogicalProcessorInformation(nullptr, length).Code(),
              platform::kErrorInsufficientBuffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length % platform::kProcessorInformationEntrySize, 0u);
    std::vector<std::uint8_t> table(length);
    ASSERT_TRUE(platform::LogicalProcessorInformation(table.data(), length).Ok());
    EXPECT_EQ(length, table.size());
    EXPECT_GE(CoresInProcessorInformation(table), 1u);
    EXPECT_LE(CoresInProcessorInformation(table), platform::ProcessorCount());
}

TEST_F(SystemInfoTest, TheComputerNameNeedsRoomForItsNul) {
    std::u16string name;
    ASSERT_TRUE(platform::ComputerName(16, name).Ok());
    ASSERT_FALSE(name.empty());
    EXPECT_LE(name.size(), 15u);
    const auto exact = static_cast<std::uint32_t>(name.size());
    std::u16string again;
    EXPECT_EQ(platform::ComputerName(exact, again).Code(), platform::kErrorBufferOverflow);
    ASSERT_TRUE(platform::ComputerName(exact + 1, again).Ok());
    EXPECT_EQ(again, name);
}

TEST_F(SystemInfoTest, MemoryDiskAndProcessorTimesAreConsistent) {
    platform::MemoryStatus memory;
    ASSERT_TRUE(platform::PhysicalMemory(memory).Ok());
    EXPECT_GT(memory.totalPhysical, 0u);
    EXPECT_LE(memory.availablePhysical, memory.totalPhysical);
    platform::DiskSpace disk;
    ASSERT_TRUE(platform::DiskFreeSpace(u"C:\\", disk).Ok());
    EXPECT_GT(disk.totalBytes, 0u);
    EXPECT_LE(disk.freeBytesAvailableToCaller, disk.totalBytes);
    platform::ProcessorTimes times;
    ASSERT_TRUE(platform::SystemTimes(times).Ok());
    EXPECT_GT(times.kernel, 0u);
    EXPECT_GE(platform::ProcessorCount(), 1u);
}

TEST_F(SystemInfoTest, TheBuildAndTheElevationCanBeRead) {
    std::uint32_t build = 0;
    ASSERT_TRUE(platform::OsBuildNumber(build).Ok());
    EXPECT_GT(build, 0u);
    bool elevated = true;
    EXPECT_TRUE(platform::ProcessElevation(elevated).Ok());
}

TEST_F(SystemInfoTest, KeysOpenInThe64BitView) {
    static int counter = 0;
    const std::string unique =
        std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" + std::to_string(++counter);
    const std::u16string key =
        u"Software\\QuillfarrowTest\\view-" + std::u16string(unique.begin(), unique.end());
    platform::RegistryKey created;
    ASSERT_TRUE(platform::RegistryCreateKey(platform::kHkeyCurrentUser, key + u"\\Child",
                                            platform::kKeySetValue, created)
                    .Ok());
    const std::uint8_t data[] = {'o', 0, 'k', 0, 0, 0};
    ASSERT_TRUE(
        platform::RegistrySetValue(created, u"Text", platform::kRegSz, data, sizeof data).Ok());
    platform::RegistryKey key64;
    ASSERT_TRUE(platform::RegistryOpenKey(platform::kHkeyCurrentUser, key,
                                          platform::kKeyRead | platform::kKeyWow64_64Key, key64)
                    .Ok());
    std::u16string name;
    ASSERT_TRUE(platform::RegistryEnumKey(key64, 0, 128, name).Ok());
    EXPECT_EQ(name, u"Child");
    platform::RegistryKey child;
    ASSERT_TRUE(platform::RegistryOpenKey(platform::kHkeyCurrentUser, key + u"\\Child",
                                          platform::kKeyRead | platform::kKeyWow64_64Key, child)
                    .Ok());
    std::uint8_t read[8] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof read;
    ASSERT_TRUE(platform::RegistryQueryValue(child, u"Text", type, read, size).Ok());
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(size, sizeof data);
}

}  // namespace
