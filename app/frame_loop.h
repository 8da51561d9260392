// The main loop, one turn per displayed frame, over the few operations it needs from the
// window and renderer; the Windows host implements them, tests count them.
#pragma once

#include <cstdint>
#include <string>

#include "state/app_state.h"

class FrameHost {
  public:
    enum class PresentResult { Shown, Occluded };

    virtual ~FrameHost() = default;
    // Drains every waiting window message; false once the quit message was among them.
    virtual bool PumpMessages() = 0;
    virtual std::uint64_t TickMs() = 0;
    // The every-500-ms work: the Windows host calls RefreshLiveFigures.
    virtual void Sample() = 0;
    virtual bool IsIconic() = 0;
    // Asks the swap chain whether a frame would be seen, without presenting one.
    virtual PresentResult TestPresent() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Builds the interface and presents it with vertical sync.
    virtual PresentResult DrawAndPresent() = 0;
    virtual void SaveScreenshot(const std::u16string& path) = 0;
};

inline constexpr int kScreenshotFrame = 24;
inline constexpr std::uint64_t kSampleIntervalMs = 500;

// The every-500-ms work of the loop, also while the window is minimized: the load figures
// of the machine record, then the outcome of a finished restore-point worker.
void RefreshLiveFigures(AppState& state);

// Runs until the quit message or, with a screenshot path, until the 24th frame is captured.
// Returns the number of frames presented.
int RunFrameLoop(FrameHost& host, const std::u16string& screenshotPath);
