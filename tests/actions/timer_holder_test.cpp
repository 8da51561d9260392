// The timer-resolution holder thread, with the simulated NtSetTimerResolution.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "actions/timer_holder.h"
#include "app/startup.h"
#include "state/state_file.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

class TimerHolderTest : public SimTest {
  protected:
    void TearDown() override { StopTimerHolder(); }
    static sim::TimerResolution& Timer() { return sim::TheTimerResolution(); }
    // Polls until the condition holds or five seconds have passed.
    template <typename Condition>
    static bool Eventually(Condition condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
};

TEST_F(TimerHolderTest, TwoStartsMakeOneThreadThatHoldsHalfAMillisecond) {
    EXPECT_TRUE(StartTimerHolder().Ok());
    EXPECT_TRUE(StartTimerHolder().Ok());
    EXPECT_EQ(sim::TheMachine().threads.started, 1);
    EXPECT_TRUE(Eventually([] { return Timer().requests.load() >= 1; }));
    EXPECT_EQ(Timer().lastDesired.load(), 5000u);
}

TEST_F(TimerHolderTest, StopWithdrawsTheRequestBeforeItReturns) {
    ASSERT_TRUE(StartTimerHolder().Ok());
    ASSERT_TRUE(Eventually([] { return Timer().requests.load() >= 1; }));
    StopTimerHolder();
    EXPECT_FALSE(TimerHolderRunning.load());
    // The thread has withdrawn and ended within the wait, not after it.
    EXPECT_EQ(Timer().withdrawals.load(), 1);
    EXPECT_TRUE(StartTimerHolder().Ok());
    EXPECT_EQ(sim::TheMachine().threads.started, 2);
}

TEST_F(TimerHolderTest, TheRequestIsRenewedEvery250MsUntilTheStopWithdrawsItOnce) {
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(StartTimerHolder().Ok());
    // Two renewals after the first request.
    ASSERT_TRUE(Eventually([] { return Timer().requests.load() >= 3; }));
    EXPECT_EQ(Timer().lastDesired.load(), 5000u);
    EXPECT_EQ(Timer().withdrawals.load(), 0);  // held, never let go, while the holder runs
    StopTimerHolder();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    const int requests = Timer().requests.load();
    EXPECT_EQ(Timer().withdrawals.load(), 1);
    EXPECT_EQ(Timer().lastDesired.load(), 5000u);  // the withdrawal names the same resolution
    // Renewed no faster than every 250 ms: the requests up to the stop took that long at least.
    EXPECT_GE(elapsed, std::chrono::milliseconds(250) * (requests - 1)) << requests << " requests";
    // After the withdrawal nothing more is asked, nor withdrawn again.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(Timer().requests.load(), requests);
    EXPECT_EQ(Timer().withdrawals.load(), 1);
}

TEST_F(TimerHolderTest, StopWithNothingRunningDoesNothing) {
    StopTimerHolder();
    EXPECT_EQ(Timer().withdrawals.load(), 0);
}

TEST_F(TimerHolderTest, WithoutTheEntryPointTheThreadEndsAtOnceButCountsAsRunning) {
    Timer().available = false;
    EXPECT_TRUE(StartTimerHolder().Ok());
    EXPECT_TRUE(TimerHolderRunning.load());
    EXPECT_TRUE(StartTimerHolder().Ok());
    EXPECT_EQ(sim::TheMachine().threads.started, 1);
    StopTimerHolder();
    EXPECT_FALSE(TimerHolderRunning.load());
    EXPECT_EQ(Timer().requests.load(), 0);
    EXPECT_EQ(Timer().withdrawals.load(), 0);
}

TEST_F(TimerHolderTest, AThreadThatCannotBeCreatedLeavesNothingRunning) {
    sim::TheMachine().threads.startError = 8;  // ERROR_NOT_ENOUGH_MEMORY
    EXPECT_EQ(StartTimerHolder().Reason(), Refusal::Call("CreateThread", 8));
    EXPECT_FALSE(TimerHolderRunning.load());
}

TEST_F(TimerHolderTest, ASavedTimerTweakIsHeldFromStartUpToShutdown) {
    AppState saved;
    saved.AppliedSet = {"timerres"};
    ASSERT_TRUE(SaveState(saved).Ok());
    AppState state;
    ShellState shell;
    StartSession(state, shell, CommandLineOptions{});
    EXPECT_TRUE(TimerHolderRunning.load());
    EXPECT_EQ(sim::TheMachine().threads.started, 1);
    EndSession(state);
    EXPECT_FALSE(TimerHolderRunning.load());
    // The stop waits at most 2 s; should the thread take longer, it still withdraws.
    EXPECT_TRUE(Eventually([] { return Timer().withdrawals.load() == 1; }));
}

TEST_F(TimerHolderTest, WithoutTheTweakStartUpStartsNoHolder) {
    AppState state;
    ShellState shell;
    StartSession(state, shell, CommandLineOptions{});
    EXPECT_FALSE(TimerHolderRunning.load());
    EXPECT_EQ(sim::TheMachine().threads.started, 0);
}

}  // namespace
