// The main loop driven by a stand-in host on a simulated clock that counts what the loop
// asks of it: frames built and presented, waits, samples; the pacing and the clock's next
// change on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "actions/restore_point.h"
#include "app/frame_loop.h"
#include "app/frame_pacing.h"
#include "app/idle_policy.h"
#include "support/sim_fixture.h"

namespace {

constexpr std::uint64_t kIntervalUs = 16'667;

class CountingHost final : public FrameHost {
  public:
    // Turn numbers count message pumps, from 1.
    std::function<bool(int turn)> quitAt = [](int) { return false; };
    std::function<bool(int turn)> messagesAt = [](int) { return false; };
    std::function<bool(int turn)> iconicAt = [](int) { return false; };
    std::function<bool(int turn)> occludedAt = [](int) { return false; };
    std::function<bool(int turn)> inputAt = [](int) { return false; };
    // The signature of the frame a turn builds: by default a new one every turn, as an
    // animation would give.
    std::function<std::optional<std::uint64_t>(int turn)> frameAt = [](int turn) {
        return static_cast<std::uint64_t>(turn);
    };
    // The sample's work and what a built frame reads; nothing by default.
    std::function<void()> sampleWork = [] {};
    std::function<void(int turn)> drawWork = [](int) {};

    // The simulated clock. Building takes 2 ms; a present waits for the next vertical blank,
    // unless the display has none.
    std::uint64_t us = 0;
    std::uint64_t tickBaseMs = 10000;
    std::uint64_t intervalUs = kIntervalUs;
    std::uint64_t buildUs = 2000;
    bool verticalBlank = true;

    int turns = 0, samples = 0, builds = 0, presents = 0, tests = 0, sleeps = 0, shots = 0;
    std::vector<std::uint64_t> presentedAtUs;
    std::vector<std::uint64_t> paceWaitsUs;       // the length of each pacing wait
    std::vector<std::uint32_t> messageWaitsMs;    // the timeout of each wait for messages
    std::vector<std::uint64_t> messageWaitTicks;  // the tick at which each began
    std::u16string shotPath;

    Messages PumpMessages() override {
        ++turns;
        return {quitAt(turns) || turns >= 100000, messagesAt(turns)};
    }
    std::uint64_t TickMs() override { return tickBaseMs + us / 1000; }
    std::uint64_t NowUs() override { return us; }
    std::uint64_t RefreshIntervalUs() override { return intervalUs; }
    void Sample() override {
        ++samples;
        sampleWork();
    }
    bool IsIconic() override { return iconicAt(turns); }
    PresentResult TestPresent() override {
        ++tests;
        return occludedAt(turns) ? PresentResult::Occluded : PresentResult::Shown;
    }
    void Sleep(std::uint32_t milliseconds) override {
        ++sleeps;
        us += milliseconds * 1000ull;
    }
    BuiltFrame BuildFrame() override {
        ++builds;
        us += buildUs;
        drawWork(turns);
        return {frameAt(turns), inputAt(turns)};
    }
    PresentResult Present() override {
        ++presents;
        presentedAtUs.push_back(us);
        if (verticalBlank)
            us = (us / intervalUs + 1) * intervalUs;
        return occludedAt(turns) ? PresentResult::Occluded : PresentResult::Shown;
    }
    void WaitUntilUs(std::uint64_t deadline) override {
        paceWaitsUs.push_back(deadline - us);
        us = std::max(us, deadline);
    }
    void WaitForMessages(std::uint32_t timeoutMs) override {
        messageWaitsMs.push_back(timeoutMs);
        messageWaitTicks.push_back(TickMs());
        us += timeoutMs * 1000ull;
    }
    void SaveScreenshot(const std::u16string& path) override {
        ++shots;
        shotPath = path;
    }
};

// No message logged: the toast never bounds an idle wait.
int RunIdle(CountingHost& host) {
    return RunFrameLoop(host, AppState{}, {});
}

TEST(FrameLoop, AScreenshotRunPresents24FramesThenCapturesNeitherPacedNorIdle) {
    CountingHost host;
    // Occlusion and minimizing never hold up a screenshot run; nor do a display without
    // vertical blank and frames that never change.
    host.iconicAt = [](int) { return true; };
    host.occludedAt = [](int) { return true; };
    host.verticalBlank = false;
    host.frameAt = [](int) { return 7u; };
    EXPECT_EQ(RunFrameLoop(host, AppState{}, {u"C:\\shot.bmp"}), 24);
    EXPECT_EQ(host.presents, 24);
    EXPECT_EQ(host.shots, 1);
    EXPECT_EQ(host.shotPath, u"C:\\shot.bmp");
    EXPECT_EQ(host.sleeps, 0);
    EXPECT_EQ(host.tests, 0);
    EXPECT_TRUE(host.paceWaitsUs.empty());
    EXPECT_TRUE(host.messageWaitsMs.empty());
}

TEST(FrameLoop, NothingIsPresentedWhileTheWindowIsIconic) {
    CountingHost host;
    host.iconicAt = [](int turn) { return turn <= 50; };
    host.quitAt = [](int turn) { return turn == 51; };
    EXPECT_EQ(RunIdle(host), 0);
    EXPECT_EQ(host.presents, 0);
    EXPECT_EQ(host.builds, 0);
    EXPECT_EQ(host.sleeps, 50);
    EXPECT_EQ(host.shots, 0);
}

TEST(FrameLoop, AnOccludedWindowIdlesUntilAFrameWouldBeSeen) {
    CountingHost host;
    // Covered from the third turn to the tenth; the present of turn 3 reports it.
    host.occludedAt = [](int turn) { return turn >= 3 && turn <= 10; };
    host.quitAt = [](int turn) { return turn == 16; };
    RunIdle(host);
    EXPECT_EQ(host.presents, 3 + 5);  // turns 1-3, then 11-15
    EXPECT_EQ(host.sleeps, 7);        // turns 4-10
    EXPECT_EQ(host.tests, 8);         // turns 4-11
}

TEST(FrameLoop, AQuitMessageEndsTheLoopBeforeAnotherFrame) {
    CountingHost host;
    host.quitAt = [](int turn) { return turn == 4; };
    EXPECT_EQ(RunIdle(host), 3);
    EXPECT_EQ(host.presents, 3);
    EXPECT_EQ(host.builds, 3);
}

TEST(FrameLoop, TheMachineIsSampledFirstThenWhenMoreThan500MsHavePassed) {
    CountingHost host;
    host.intervalUs = 100'000;  // turns at ticks 10000, 10100, ..., 11900
    host.quitAt = [](int turn) { return turn == 21; };
    RunIdle(host);
    // 10000 (the first turn), then 10600 and 11200 and 11800: 600 ms apart, since exactly
    // 500 is not enough.
    EXPECT_EQ(host.samples, 4);
}

// --- Pacing ---------------------------------------------------------------------------

TEST(FramePacing, TheRefreshIntervalIs60HzWhenTheSystemGivesNoRate) {
    const struct {
        std::uint32_t hertz;
        std::uint64_t intervalUs;
    } cases[] = {{0, 16'666}, {1, 16'666}, {60, 16'666}, {75, 13'333}, {144, 6'944}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hertz);
        EXPECT_EQ(RefreshIntervalUs(c.hertz), c.intervalUs);
    }
}

TEST(FramePacing, OnlyTheThirdShortTurnInARowAndTheFollowingOnesWait) {
    const struct {
        const char* what;
        std::vector<std::uint64_t> turnsUs;
        std::vector<std::uint64_t> waitsUs;
    } cases[] = {
        {"the present waits for the vertical blank",
         {16'000, 15'000, 17'000, 16'000},
         {0, 0, 0, 0}},
        {"no vertical blank", {2'000, 2'000, 2'000, 3'000, 7'999}, {0, 0, 14'000, 13'000, 8'001}},
        {"a long turn starts the count again",
         {2'000, 2'000, 9'000, 2'000, 2'000, 2'000},
         {0, 0, 0, 0, 0, 14'000}},
        {"half the interval is not short", {2'000, 2'000, 8'000, 2'000}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FramePacer pacer(16'000);
        std::vector<std::uint64_t> waits;
        for (const std::uint64_t turn : c.turnsUs)
            waits.push_back(pacer.WaitAfter(turn));
        EXPECT_EQ(waits, c.waitsUs);
    }
}

TEST(FrameLoop, WithoutVerticalBlankFramesArePacedToTheRefreshInterval) {
    CountingHost host;
    host.verticalBlank = false;
    host.quitAt = [](int turn) { return turn == 11; };
    RunIdle(host);
    ASSERT_EQ(host.presentedAtUs.size(), 10u);
    // The first three turns run at once; from the third on each fills an interval.
    for (std::size_t i = 1; i < host.presentedAtUs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(host.presentedAtUs[i] - host.presentedAtUs[i - 1], i < 3 ? 2'000 : kIntervalUs);
    }
}

// --- Idle -----------------------------------------------------------------------------

TEST(FrameLoop, TwoIdenticalFramesLetTheLoopWaitUntilTheNextSample) {
    CountingHost host;
    host.frameAt = [](int) { return 7u; };
    host.quitAt = [](int turn) { return turn == 4; };
    EXPECT_EQ(RunIdle(host), 1);
    EXPECT_EQ(host.builds, 3);
    // Turn 2 ends at 18.7 ms; the next sample is due at 501 ms, and the turn that takes it
    // finds the frame unchanged and waits again.
    EXPECT_EQ(host.messageWaitTicks, (std::vector<std::uint64_t>{10018, 10503}));
    EXPECT_EQ(host.messageWaitsMs, (std::vector<std::uint32_t>{483, 499}));
    EXPECT_EQ(host.samples, 2);
    EXPECT_TRUE(host.paceWaitsUs.empty());
}

TEST(FrameLoop, AMessageShowsTheNextFrameAndOneMoreFrameIsBuiltBeforeWaiting) {
    CountingHost host;
    // Nothing changes but a message arrives at turn 3 (the pointer moved over empty space)
    // and at turn 5 (a paint request); the frame on screen is what a message drew.
    host.frameAt = [](int) { return 7u; };
    host.messagesAt = [](int turn) { return turn == 3 || turn == 5; };
    host.quitAt = [](int turn) { return turn == 7; };
    RunIdle(host);
    EXPECT_EQ(host.builds, 6);
    EXPECT_EQ(host.presents, 3);                // turns 1, 3 and 5
    EXPECT_EQ(host.messageWaitsMs.size(), 3u);  // after turns 2, 4 and 6
}

TEST(FrameLoop, AChangedFrameIsShownAndTheLoopWaitsOnceItStaysTheSame) {
    CountingHost host;
    // The frame changes every turn up to turn 4, as an animation would, then settles.
    host.frameAt = [](int turn) { return static_cast<std::uint64_t>(std::min(turn, 4)); };
    host.quitAt = [](int turn) { return turn == 7; };
    RunIdle(host);
    EXPECT_EQ(host.presents, 4);  // turns 1 to 4
    EXPECT_EQ(host.builds, 6);
    EXPECT_EQ(host.messageWaitsMs.size(), 2u);  // after turns 5 and 6
}

TEST(FrameLoop, AFrameWithTextureUpdatesIsAlwaysShownAndNeverEndsDrawing) {
    CountingHost host;
    host.frameAt = [](int turn) -> std::optional<std::uint64_t> {
        if (turn == 2 || turn == 3)
            return std::nullopt;
        return 7u;
    };
    host.quitAt = [](int turn) { return turn == 6; };
    RunIdle(host);
    EXPECT_EQ(host.presents, 4);  // turns 1, 2, 3 and 4 (which differs from the last shown)
    EXPECT_EQ(host.messageWaitsMs.size(), 1u);  // after turn 5
}

class BusyLoopTest : public ::testing::TestWithParam<const char*> {
  protected:
    void TearDown() override { RestorePointBusy.store(false); }
};

TEST_P(BusyLoopTest, FramesAreBuiltEveryTurnPacedWhileBusyThoughNothingChanges) {
    CountingHost host;
    host.frameAt = [](int) { return 7u; };
    // A key press at turn 3 and its release at turn 12, or a restore point made meanwhile.
    const bool input = GetParam() == std::string_view("input held");
    host.messagesAt = [](int turn) { return turn == 3 || turn == 12; };
    host.inputAt = [input](int turn) { return input && turn >= 3 && turn < 12; };
    host.drawWork = [input](int turn) {
        if (!input)
            RestorePointBusy.store(turn >= 3 && turn < 12);
    };
    host.verticalBlank = false;
    host.quitAt = [](int turn) { return turn == 15; };
    RunIdle(host);
    // Waits for messages after turn 2, then after turns 13 and 14; turns 3-12 are paced
    // instead (the short turns 1 and 2 count towards the three).
    EXPECT_EQ(host.messageWaitsMs.size(), 3u);
    EXPECT_EQ(host.builds, 14);
    EXPECT_EQ(host.presents, 3);  // turns 1, 3 and 12: the frame never changed
    EXPECT_EQ(host.paceWaitsUs.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(Reasons, BusyLoopTest,
                         ::testing::Values("input held", "restore point being made"));

TEST(IdleClock, TheNextChangeIsTheSampleOrTheToastsFadeWithNoWaitDuringTheFade) {
    const struct {
        const char* what;
        std::uint64_t toastTick;
        std::uint64_t waitMs;
    } cases[] = {
        {"no toast", 0, 401},
        {"a toast fading later than the sample", 9000, 401},
        {"a toast fading before the sample", 7000, 200},
        {"a toast that starts fading in a millisecond", 6801, 1},
        {"a toast at the end of its hold", 6800, 0},
        {"a fading toast", 6000, 0},
        {"a toast in the last millisecond of its fade", 5800, 0},
        {"a toast gone", 5799, 401},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MsUntilClockChange(10100, 10501, c.toastTick), c.waitMs);
    }
    EXPECT_EQ(MsUntilClockChange(10600, 10501, 0), 0u) << "a sample already due";
}

// The real sample work over the simulated machine: what a frame would show of the record.
class LiveFiguresLoopTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        RestorePointStatus.store(RestorePointOutcome::None);
        host.intervalUs = 100'000;  // samples on the turns at ticks 10000, 10600, 11200, ...
        host.sampleWork = [this] { RefreshLiveFigures(state); };
        host.quitAt = [](int turn) { return turn == 13; };
        // The machine gains memory after the first turn.
        host.drawWork = [this](int) {
            shownMemory.push_back(GetMachineInfo().MemTotal);
            sim::TheMachine().systemInfo.memory.totalPhysical = 32ull << 30;
        };
    }
    CountingHost host;
    AppState state;
    std::vector<std::uint64_t> shownMemory;  // MemTotal as each built frame saw it
};

TEST_F(LiveFiguresLoopTest, AFinishedRestorePointIsTakenAtTheNextSample) {
    RestorePointStatus.store(RestorePointOutcome::Created);
    host.quitAt = [](int turn) { return turn == 2; };
    RunIdle(host);
    EXPECT_TRUE(state.RestorePointCreated);
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].message, "restore point created");
    EXPECT_EQ(RestorePointStatus.load(), RestorePointOutcome::None);
}

TEST_F(LiveFiguresLoopTest, TheFirstFrameShowsMemoryAndItIsRefreshedAfterMoreThan500Ms) {
    RunIdle(host);
    ASSERT_EQ(shownMemory.size(), 12u);
    // Turns 1-6 show the first sample; turn 7 (600 ms later) samples again.
    for (std::size_t turn = 1; turn <= 12; ++turn) {
        SCOPED_TRACE(turn);
        EXPECT_EQ(shownMemory[turn - 1], turn < 7 ? 16ull << 30 : 32ull << 30);
    }
}

TEST_F(LiveFiguresLoopTest, TheFiguresAreRefreshedWhileTheWindowIsMinimized) {
    // Minimized from the second turn (tick 10100) until the quit, 10 ms a turn: one frame,
    // yet the turn at tick 10510 samples again.
    host.iconicAt = [](int turn) { return turn >= 2; };
    host.quitAt = [](int turn) { return turn == 50; };
    RunIdle(host);
    EXPECT_EQ(shownMemory, (std::vector<std::uint64_t>{16ull << 30}));
    EXPECT_EQ(host.samples, 2);
    EXPECT_EQ(GetMachineInfo().MemTotal, 32ull << 30);
}

TEST_F(LiveFiguresLoopTest, LeftAloneTheWindowShowsOneFramePerChangedSample) {
    // Ten seconds on a 60 Hz display; every other sample changes what the frame shows.
    host.intervalUs = kIntervalUs;
    host.frameAt = [this](int) { return static_cast<std::uint64_t>(host.samples / 2); };
    host.quitAt = [this](int) { return host.TickMs() >= 20000; };
    RunIdle(host);
    // 20 samples: 10 changed frames and the first; each sample builds one frame, each change
    // one more to see it settle.
    EXPECT_EQ(host.samples, 20);
    EXPECT_EQ(host.presents, 11);
    EXPECT_EQ(host.builds, 20 + 11);
}

}  // namespace
