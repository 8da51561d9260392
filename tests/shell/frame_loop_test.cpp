// The main loop driven by a stand-in host that counts what the loop asks of it.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "actions/restore_point.h"
#include "app/frame_loop.h"
#include "support/sim_fixture.h"

namespace {

class CountingHost final : public FrameHost {
  public:
    // Turn numbers count message pumps, from 1.
    std::function<bool(int turn)> quitAt = [](int) { return false; };
    std::function<bool(int turn)> iconicAt = [](int) { return false; };
    std::function<bool(int turn)> occludedAt = [](int) { return false; };
    // The sample's work and what a frame reads; nothing by default.
    std::function<void()> sampleWork = [] {};
    std::function<void(int turn)> drawWork = [](int) {};
    std::uint64_t tick = 0;
    std::uint64_t tickStep = 16;

    int turns = 0, samples = 0, presents = 0, tests = 0, sleeps = 0, shots = 0;
    std::u16string shotPath;

    bool PumpMessages() override {
        ++turns;
        return !quitAt(turns) && turns < 100000;
    }
    std::uint64_t TickMs() override { return tick += tickStep; }
    void Sample() override {
        ++samples;
        sampleWork();
    }
    bool IsIconic() override { return iconicAt(turns); }
    PresentResult TestPresent() override {
        ++tests;
        return occludedAt(turns) ? PresentResult::Occluded : PresentResult::Shown;
    }
    void Sleep(std::uint32_t) override { ++sleeps; }
    PresentResult DrawAndPresent() override {
        ++presents;
        drawWork(turns);
        return occludedAt(turns) ? PresentResult::Occluded : PresentResult::Shown;
    }
    void SaveScreenshot(const std::u16string& path) override {
        ++shots;
        shotPath = path;
    }
};

TEST(FrameLoop, AScreenshotRunPresents24FramesThenCaptures) {
    CountingHost host;
    // Occlusion and minimizing never hold up a screenshot run.
    host.iconicAt = [](int) { return true; };
    host.occludedAt = [](int) { return true; };
    EXPECT_EQ(RunFrameLoop(host, u"C:\\shot.bmp"), 24);
    EXPECT_EQ(host.presents, 24);
    EXPECT_EQ(host.shots, 1);
    EXPECT_EQ(host.shotPath, u"C:\\shot.bmp");
    EXPECT_EQ(host.sleeps, 0);
    EXPECT_EQ(host.tests, 0);
}

TEST(FrameLoop, NothingIsPresentedWhileTheWindowIsIconic) {
    CountingHost host;
    host.iconicAt = [](int turn) { return turn <= 50; };
    host.quitAt = [](int turn) { return turn == 51; };
    EXPECT_EQ(RunFrameLoop(host, u""), 0);
    EXPECT_EQ(host.presents, 0);
    EXPECT_EQ(host.sleeps, 50);
    EXPECT_EQ(host.shots, 0);
}

TEST(FrameLoop, AnOccludedWindowIdlesUntilAFrameWouldBeSeen) {
    CountingHost host;
    // Covered from the third turn to the tenth; the present of turn 3 reports it.
    host.occludedAt = [](int turn) { return turn >= 3 && turn <= 10; };
    host.quitAt = [](int turn) { return turn == 16; };
    RunFrameLoop(host, u"");
    EXPECT_EQ(host.presents, 3 + 5);  // turns 1-3, then 11-15
    EXPECT_EQ(host.sleeps, 7);        // turns 4-10
    EXPECT_EQ(host.tests, 8);         // turns 4-11
}

TEST(FrameLoop, AQuitMessageEndsTheLoopBeforeAnotherFrame) {
    CountingHost host;
    host.quitAt = [](int turn) { return turn == 4; };
    EXPECT_EQ(RunFrameLoop(host, u""), 3);
    EXPECT_EQ(host.presents, 3);
}

TEST(FrameLoop, TheMachineIsSampledFirstThenWhenMoreThan500MsHavePassed) {
    CountingHost host;
    host.tick = 10000;
    host.tickStep = 100;  // the turns see ticks 10100, 10200, ..., 12000
    host.quitAt = [](int turn) { return turn == 21; };
    RunFrameLoop(host, u"");
    // 10100 (the first turn), then 10700 and 11300 and 11900: 600 ms apart, since exactly
    // 500 is not enough.
    EXPECT_EQ(host.samples, 4);
}

// The real sample work over the simulated machine: what a frame would show of the record.
class LiveFiguresLoopTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        RestorePointStatus.store(RestorePointOutcome::None);
        host.tick = 10000;
        host.tickStep = 100;  // samples on the turns that see 10100, 10700, 11300, ...
        host.sampleWork = [this] { RefreshLiveFigures(state); };
        host.quitAt = [](int turn) { return turn == 13; };
        // The machine gains memory after the first turn.
        host.drawWork = [this](int) {
            shownMemory.push_back(GetMachineInfo().MemTotal);
            sim::machine().systemInfo.memory.totalPhysical = 32ull << 30;
        };
    }
    CountingHost host;
    AppState state;
    std::vector<std::uint64_t> shownMemory;  // MemTotal as each presented frame saw it
};

TEST_F(LiveFiguresLoopTest, AFinishedRestorePointIsTakenAtTheNextSample) {
    RestorePointStatus.store(RestorePointOutcome::Created);
    host.quitAt = [](int turn) { return turn == 2; };
    RunFrameLoop(host, u"");
    EXPECT_TRUE(state.RestorePointCreated);
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].message, "restore point created");
    EXPECT_EQ(RestorePointStatus.load(), RestorePointOutcome::None);
}

TEST_F(LiveFiguresLoopTest, TheFirstFrameShowsMemoryAndItIsRefreshedAfterMoreThan500Ms) {
    RunFrameLoop(host, u"");
    ASSERT_EQ(shownMemory.size(), 12u);
    // Turns 1-6 show the first sample; turn 7 (600 ms later) samples again.
    for (std::size_t turn = 1; turn <= 12; ++turn) {
        SCOPED_TRACE(turn);
        EXPECT_EQ(shownMemory[turn - 1], turn < 7 ? 16ull << 30 : 32ull << 30);
    }
}

TEST_F(LiveFiguresLoopTest, TheFiguresAreRefreshedWhileTheWindowIsMinimized) {
    // Minimized from the second turn until the quit: one frame, yet turn 7 samples.
    host.iconicAt = [](int turn) { return turn >= 2; };
    host.quitAt = [](int turn) { return turn == 9; };
    RunFrameLoop(host, u"");
    EXPECT_EQ(shownMemory, (std::vector<std::uint64_t>{16ull << 30}));
    EXPECT_EQ(host.samples, 2);
    EXPECT_EQ(GetMachineInfo().MemTotal, 32ull << 30);
}

}  // namespace
