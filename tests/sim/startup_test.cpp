#include <gtest/gtest.h>

#include "ui/shell_state.h"
#include "app/startup.h"
#include "state/state_file.h"
#include "support/sim_fixture.h"

namespace {

class StartupTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        CurrentPage = 0;
    }
    static void Arguments(std::vector<std::u16string> after) {
        auto& arguments = sim::machine().arguments;
        arguments.insert(arguments.end(), after.begin(), after.end());
    }
    AppState state;
};

TEST_F(StartupTest, AnInteractiveRunLoadsTheStateAndLogsReady) {
    AppState saved;
    saved.AppliedSet = {"menudelay"};
    ASSERT_TRUE(SaveState(saved));
    const CommandLineOptions options = StartSession(state);
    EXPECT_TRUE(IsApplied(state, "menudelay"));
    EXPECT_TRUE(options.screenshotPath.empty());
    EXPECT_EQ(CurrentPage, 0);
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].message, "optimizer ready");
    EXPECT_EQ(state.LogEntries[0].kind, LogKind::Info);
    EXPECT_TRUE(sim::FileContent(LogPath()).has_value());
}

TEST_F(StartupTest, TheMachineSnapshotIsTakenWithItsFirstLoadSample) {
    static_cast<void>(StartSession(state));
    const MachineInfo& info = GetMachineInfo();
    EXPECT_EQ(info.HostName, u"SIMHOST");
    EXPECT_EQ(info.OsName, u"Windows 11  build 22631");
    EXPECT_EQ(info.CpuName, u"CPU");
    EXPECT_EQ(info.MemTotal, 16ull << 30);
}

TEST_F(StartupTest, AScreenshotRunLogsNothing) {
    Arguments({u"--shot=C:\\shot.bmp", u"--page=1"});
    const CommandLineOptions options = StartSession(state);
    EXPECT_EQ(options.screenshotPath, u"C:\\shot.bmp");
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_TRUE(state.LogEntries.empty());
    EXPECT_FALSE(sim::FileContent(LogPath()).has_value());
}

TEST_F(StartupTest, AnOutOfRangePageLeavesTheStartPage) {
    Arguments({u"--page=7"});
    static_cast<void>(StartSession(state));
    EXPECT_EQ(CurrentPage, 0);
}

TEST(AppliedQueries, AreExactAndCount) {
    AppState state;
    state.AppliedSet = {"dns", "timerres"};
    EXPECT_TRUE(IsApplied(state, "dns"));
    EXPECT_FALSE(IsApplied(state, "DNS"));
    EXPECT_FALSE(IsApplied(state, "dns "));
    EXPECT_EQ(AppliedCount(state), 2u);
    EXPECT_EQ(AppliedCount(AppState{}), 0u);
}

}  // namespace
