#include "app/frame_loop.h"

#include "actions/restore_point.h"
#include "sysinfo/load_sample.h"

void RefreshLiveFigures(AppState& state) {
    SampleMachineLoad();
    PollRestorePoint(state);
}

int RunFrameLoop(FrameHost& host, const std::u16string& screenshotPath) {
    const bool screenshotRun = !screenshotPath.empty();
    int frames = 0;
    std::uint64_t lastSample = 0;
    bool occluded = false;
    while (host.PumpMessages()) {
        const std::uint64_t now = host.TickMs();
        if (now - lastSample > kSampleIntervalMs) {
            host.Sample();
            lastSample = now;
        }
        // A hidden window would make the vsync wait return at once and the loop spin, so it
        // idles until a frame would be seen again.
        if (!screenshotRun && (occluded || host.IsIconic())) {
            if (host.TestPresent() == FrameHost::PresentResult::Occluded || host.IsIconic()) {
                host.Sleep(10);
                continue;
            }
            occluded = false;
        }
        occluded = host.DrawAndPresent() == FrameHost::PresentResult::Occluded;
        ++frames;
        if (screenshotRun && frames >= kScreenshotFrame) {
            host.SaveScreenshot(screenshotPath);
            break;
        }
    }
    return frames;
}
