// The load sample on the simulated machine: the processor baseline, and each reading
// standing alone when another fails.
#include <gtest/gtest.h>

#include <functional>

#include "support/machine_info_print.h"
#include "support/sim_fixture.h"
#include "sysinfo/load_sample.h"

namespace {

class LoadSampleTest : public SimTest {
  protected:
    static sim::SystemInfo& Info() { return sim::TheMachine().systemInfo; }
    // Moves the system times on by the given amounts (100 ns units).
    static void Advance(std::uint64_t idle, std::uint64_t kernel, std::uint64_t user) {
        Info().times.idle += idle;
        Info().times.kernel += kernel;
        Info().times.user += user;
    }
};

TEST_F(LoadSampleTest, TheFirstSampleSetsTheBaselineAndLaterOnesMeasureTheInterval) {
    Info().times = {5'000'000, 9'000'000, 3'000'000};
    SampleMachineLoad();
    EXPECT_EQ(GetMachineInfo().CpuPercent, 0.0f);
    Advance(1'000'000, 1'500'000, 500'000);
    SampleMachineLoad();
    EXPECT_FLOAT_EQ(GetMachineInfo().CpuPercent, 50.0f);
    // No time passed: the figure stays, the baseline moves on regardless.
    SampleMachineLoad();
    EXPECT_FLOAT_EQ(GetMachineInfo().CpuPercent, 50.0f);
    Advance(0, 400'000, 600'000);
    SampleMachineLoad();
    EXPECT_FLOAT_EQ(GetMachineInfo().CpuPercent, 100.0f);
    Advance(2'000'000, 2'000'000, 0);
    SampleMachineLoad();
    EXPECT_FLOAT_EQ(GetMachineInfo().CpuPercent, 0.0f);
}

TEST_F(LoadSampleTest, AFailedReadingKeepsItsOwnFiguresAndNoOthers) {
    const struct {
        const char* name;
        std::function<void()> fault;
        std::function<void(MachineInfo& expected, const MachineInfo& before)> kept;
    } rows[] = {
        {"system times", [] { Info().timesError = platform::kErrorAccessDenied; },
         [](MachineInfo& expected, const MachineInfo& before) {
             expected.CpuPercent = before.CpuPercent;
         }},
        {"memory status", [] { Info().memoryError = platform::kErrorAccessDenied; },
         [](MachineInfo& expected, const MachineInfo& before) {
             expected.MemTotal = before.MemTotal;
             expected.MemUsed = before.MemUsed;
         }},
        {"no drive C:", [] { Info().drives.clear(); },
         [](MachineInfo& expected, const MachineInfo& before) {
             expected.DiskTotal = before.DiskTotal;
             expected.DiskFree = before.DiskFree;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        ForgetMachineInfo();
        Info().times = {1'000, 2'000, 1'000};
        SampleMachineLoad();
        SampleMachineLoad();
        const MachineInfo before = GetMachineInfo();
        // Every figure moves on; the faulty reading must not follow.
        Advance(300, 400, 200);
        Info().memory = {32ull << 30, 30ull << 30};
        Info().drives[u"C:\\"] = {1ull << 30, 256ull << 30};
        sim::TheMachine().tickMs = 90'000;
        MachineInfo expected = before;
        expected.CpuPercent = 50.0f;
        expected.MemTotal = 32ull << 30;
        expected.MemUsed = 2ull << 30;
        expected.DiskFree = 1ull << 30;
        expected.DiskTotal = 256ull << 30;
        expected.UptimeSeconds = 90;
        row.kept(expected, before);
        row.fault();
        SampleMachineLoad();
        EXPECT_EQ(GetMachineInfo(), expected);
    }
}

TEST_F(LoadSampleTest, WithoutDriveCTheDiskFiguresStayZero) {
    Info().drives.clear();
    SampleMachineLoad();
    EXPECT_EQ(GetMachineInfo().DiskTotal, 0u);
    EXPECT_EQ(GetMachineInfo().DiskFree, 0u);
    EXPECT_EQ(GetMachineInfo().MemTotal, 16ull << 30);
}

TEST_F(LoadSampleTest, UptimeIsTheTickCountInWholeSeconds) {
    sim::TheMachine().tickMs = 3'599'999;
    SampleMachineLoad();
    EXPECT_EQ(GetMachineInfo().UptimeSeconds, 3599u);
}

TEST_F(LoadSampleTest, ForgettingTheRecordAlsoForgetsTheBaseline) {
    Info().times = {1'000, 2'000, 1'000};
    SampleMachineLoad();
    Advance(0, 500, 500);
    SampleMachineLoad();
    ASSERT_FLOAT_EQ(GetMachineInfo().CpuPercent, 100.0f);
    ForgetMachineInfo();
    EXPECT_EQ(GetMachineInfo(), MachineInfo{});
    Advance(0, 500, 500);
    SampleMachineLoad();
    EXPECT_EQ(GetMachineInfo().CpuPercent, 0.0f);
}

}  // namespace
