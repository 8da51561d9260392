#include <gtest/gtest.h>

#include "ui/shell_state.h"
#include "app/startup.h"
#include "state/state_file.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

class StartupTest : public SimTest {
  protected:
    static CommandLineOptions Parsed(std::vector<std::u16string> switches) {
        switches.insert(switches.begin(), u"C:\\Program\\QuillfarrowOptimizer.exe");
        return ParseCommandLine(switches);
    }
    AppState state;
    ShellState shell;
};

TEST_F(StartupTest, AnInteractiveRunLoadsTheStateAndLogsReady) {
    AppState saved;
    saved.AppliedSet = {"menudelay"};
    ASSERT_TRUE(SaveState(saved).Ok());
    StartSession(state, shell, Parsed({}));
    EXPECT_TRUE(IsApplied(state, "menudelay"));
    EXPECT_EQ(shell.CurrentPage, 0);
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].message, "optimizer ready");
    EXPECT_EQ(state.LogEntries[0].kind, LogKind::Info);
    EXPECT_TRUE(sim::FileContent(LogPath()).has_value());
}

TEST_F(StartupTest, TheMachineSnapshotIsTakenWithItsFirstLoadSample) {
    StartSession(state, shell, Parsed({}));
    const MachineInfo& info = GetMachineInfo();
    EXPECT_EQ(info.HostName, u"SIMHOST");
    EXPECT_EQ(info.OsName, u"Windows 11  build 22631");
    EXPECT_EQ(info.CpuName, u"CPU");
    EXPECT_EQ(info.MemTotal, 16ull << 30);
}

TEST_F(StartupTest, AScreenshotRunLogsNothing) {
    StartSession(state, shell, Parsed({u"--shot=C:\\shot.bmp", u"--page=1"}));
    EXPECT_EQ(shell.CurrentPage, 1);
    EXPECT_TRUE(state.LogEntries.empty());
    EXPECT_FALSE(sim::FileContent(LogPath()).has_value());
}

TEST_F(StartupTest, AnUnreadableStateFileIsReportedAfterReadyAndKeptWhole) {
    AppState saved;
    saved.AppliedSet = {"menudelay"};
    ASSERT_TRUE(SaveState(saved).Ok());
    const auto before = sim::FileContent(StatePath());
    sim::TheMachine().fileFaults.createErrors[StatePath()] = platform::kErrorSharingViolation;
    StartSession(state, shell, Parsed({}));
    ASSERT_EQ(state.LogEntries.size(), 2u);
    EXPECT_EQ(state.LogEntries[0].message, "optimizer ready");
    EXPECT_EQ(state.LogEntries[1].message, "state file unreadable: changes will not be kept");
    EXPECT_EQ(state.LogEntries[1].kind, LogKind::Error);
    EXPECT_TRUE(state.AppliedSet.empty());
    sim::TheMachine().fileFaults.createErrors.clear();
    state.AppliedSet = {"fso"};
    EXPECT_EQ(SaveState(state).Reason(), Refusal::Own("state file unreadable at start-up"));
    EXPECT_EQ(sim::FileContent(StatePath()), before);
}

TEST_F(StartupTest, AScreenshotRunDoesNotReportAnUnreadableStateFile) {
    ASSERT_TRUE(SaveState(AppState{}).Ok());
    sim::TheMachine().fileFaults.createErrors[StatePath()] = platform::kErrorAccessDenied;
    StartSession(state, shell, Parsed({u"--shot=C:\\shot.bmp"}));
    EXPECT_TRUE(state.LogEntries.empty());
}

TEST_F(StartupTest, AnOutOfRangePageLeavesTheStartPage) {
    StartSession(state, shell, Parsed({u"--page=7"}));
    EXPECT_EQ(shell.CurrentPage, 0);
}

// The options are parsed once, before the lock is taken; the session does not read the
// process's command line again.
TEST_F(StartupTest, TheSessionAppliesTheOptionsItIsGiven) {
    auto& arguments = sim::TheMachine().arguments;
    arguments.insert(arguments.end(), {u"--shot=C:\\shot.bmp", u"--page=4"});
    StartSession(state, shell, Parsed({u"--page=2"}));
    EXPECT_EQ(shell.CurrentPage, 2);
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].message, "optimizer ready");
}

TEST_F(StartupTest, InteractiveRunsTakeTheInstanceLockScreenshotRunsDoNot) {
    EXPECT_TRUE(TakesInstanceLock(Parsed({})));
    EXPECT_TRUE(TakesInstanceLock(Parsed({u"--page=3"})));
    // An empty screenshot path is an interactive run.
    EXPECT_TRUE(TakesInstanceLock(Parsed({u"--shot="})));
    EXPECT_TRUE(TakesInstanceLock(Parsed({u"--shot=C:\\shot.bmp", u"--shot="})));
    EXPECT_FALSE(TakesInstanceLock(Parsed({u"--shot=C:\\shot.bmp"})));
    EXPECT_FALSE(TakesInstanceLock(Parsed({u"--page=3", u"--shot=C:\\shot.bmp"})));
}

TEST(InstanceLockName, IsPerUserInTheGlobalNamespace) {
    EXPECT_EQ(InstanceLockName(u"S-1-5-21-1004336348-1177238915-682003330-1001"),
              u"Global\\QuillfarrowOptimizer-S-1-5-21-1004336348-1177238915-682003330-1001");
    EXPECT_NE(InstanceLockName(u"S-1-5-21-1-2-3-1001"), InstanceLockName(u"S-1-5-21-1-2-3-1002"));
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
