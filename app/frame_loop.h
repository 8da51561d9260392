// The main loop over the few operations it needs from the window and renderer; the Windows
// host implements them, tests count them. One turn per displayed frame at most: paced where
// the present does not wait for the vertical blank, and idle while nothing changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "state/app_state.h"

class FrameHost {
  public:
    enum class PresentResult { Shown, Occluded };
    struct Messages {
        bool quit = false;
        // Any message was handled.
        bool any = false;
    };
    struct BuiltFrame {
        // DrawDataSignature of the frame (app/frame_facts.h).
        std::optional<std::uint64_t> signature;
        // InputActive after the frame.
        bool inputActive = false;
    };

    virtual ~FrameHost() = default;
    // Drains every waiting window message without blocking.
    virtual Messages PumpMessages() = 0;
    // The millisecond tick of the sample and the toast.
    virtual std::uint64_t TickMs() = 0;
    // A monotonic clock of microsecond resolution, for the pacing.
    virtual std::uint64_t NowUs() = 0;
    // The display's refresh interval, read once.
    virtual std::uint64_t RefreshIntervalUs() = 0;
    // The every-500-ms work: the Windows host calls RefreshLiveFigures.
    virtual void Sample() = 0;
    virtual bool IsIconic() = 0;
    // Asks the swap chain whether a frame would be seen, without presenting one.
    virtual PresentResult TestPresent() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Builds the interface without drawing it.
    virtual BuiltFrame BuildFrame() = 0;
    // Draws the frame built last and presents it with vertical sync.
    virtual PresentResult Present() = 0;
    // Returns at NowUs() == deadline, give or take a millisecond; messages do not end it.
    virtual void WaitUntilUs(std::uint64_t deadline) = 0;
    // Returns when a window message is waiting, or after the timeout.
    virtual void WaitForMessages(std::uint32_t timeoutMs) = 0;
    virtual void SaveScreenshot(const std::u16string& path) = 0;
};

inline constexpr int kScreenshotFrame = 24;
inline constexpr std::uint64_t kSampleIntervalMs = 500;

// The every-500-ms work of the loop, also while the window is minimized: the load figures
// of the machine record, then the outcome of a finished restore-point worker.
void RefreshLiveFigures(AppState& state);

struct LoopOptions {
    // A screenshot run: every turn draws and presents, unpaced, and the 24th frame is
    // captured.
    std::u16string screenshotPath;
    // False: every turn presents a frame, paced but never idle; the tests compare the two.
    bool idle = true;
};

// Runs until the quit message or, in a screenshot run, until the 24th frame is captured; the
// state's toast tells how long an idle window may wait.
// Returns the number of frames presented.
int RunFrameLoop(FrameHost& host, const AppState& state, const LoopOptions& options);
