#include "app/frame_loop.h"

#include "engine/operations.h"
#include "app/frame_pacing.h"
#include "app/idle_policy.h"
#include "sysinfo/load_sample.h"

void RefreshLiveFigures(AppState& state) {
    SampleMachineLoad();
    static_cast<void>(TakeRestorePointResult(state));
}

int RunFrameLoop(FrameHost& host, const AppState& state, const LoopOptions& options) {
    const bool screenshotRun = !options.screenshotPath.empty();
    const bool idles = options.idle && !screenshotRun;
    FramePacer pacer(host.RefreshIntervalUs());
    IdlePolicy idlePolicy;
    int frames = 0;
    std::uint64_t lastSample = 0;
    bool occluded = false;
    while (true) {
        const std::uint64_t turnStart = host.NowUs();
        const FrameHost::Messages messages = host.PumpMessages();
        if (messages.quit)
            break;
        const std::uint64_t now = host.TickMs();
        if (now - lastSample > kSampleIntervalMs) {
            host.Sample();
            lastSample = now;
        }
        // A hidden window would make the vsync wait return at once and the loop spin, so it
        // sleeps until a frame would be seen again.
        if (!screenshotRun && (occluded || host.IsIconic())) {
            if (host.TestPresent() == FrameHost::PresentResult::Occluded || host.IsIconic()) {
                host.Sleep(10);
                continue;
            }
            occluded = false;
        }
        const FrameHost::BuiltFrame built = host.BuildFrame();
        IdlePolicy::Decision decision;
        if (idles) {
            decision = idlePolicy.After(
                {messages.any, built.signature, built.inputActive || RestorePointInProgress()});
        }
        if (decision.present) {
            occluded = host.Present() == FrameHost::PresentResult::Occluded;
            ++frames;
        }
        if (screenshotRun) {
            if (frames >= kScreenshotFrame) {
                host.SaveScreenshot(options.screenshotPath);
                break;
            }
            continue;
        }
        // Every turn counts for the pacing; a wait for messages stands in for its wait.
        const std::uint64_t turnEnd = host.NowUs();
        const std::uint64_t pace = pacer.WaitAfter(turnEnd - turnStart);
        const std::uint64_t idleMs =
            decision.idle ? MsUntilClockChange(host.TickMs(), lastSample + kSampleIntervalMs + 1,
                                               state.LastTick)
                          : 0;
        if (idleMs > 0)
            host.WaitForMessages(static_cast<std::uint32_t>(idleMs));
        else if (pace > 0)
            host.WaitUntilUs(turnEnd + pace);
    }
    return frames;
}
