// The main loop driven by a stand-in host that counts what the loop asks of it.
#include <gtest/gtest.h>

#include <functional>

#include "app/frame_loop.h"

namespace {

class CountingHost final : public FrameHost {
  public:
    // Turn numbers count message pumps, from 1.
    std::function<bool(int turn)> quitAt = [](int) { return false; };
    std::function<bool(int turn)> iconicAt = [](int) { return false; };
    std::function<bool(int turn)> occludedAt = [](int) { return false; };
    std::uint64_t tick = 0;
    std::uint64_t tickStep = 16;

    int turns = 0, samples = 0, presents = 0, tests = 0, sleeps = 0, shots = 0;
    std::u16string shotPath;

    bool PumpMessages() override {
        ++turns;
        return !quitAt(turns) && turns < 100000;
    }
    std::uint64_t TickMs() override { return tick += tickStep; }
    void Sample() override { ++samples; }
    bool IsIconic() override { return iconicAt(turns); }
    PresentResult TestPresent() override {
        ++tests;
        return occludedAt(turns) ? PresentResult::Occluded : PresentResult::Shown;
    }
    void Sleep(std::uint32_t) override { ++sleeps; }
    PresentResult DrawAndPresent() override {
        ++presents;
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

}  // namespace
