// When a window left alone may stop drawing: after each frame built, whether to show it and
// whether the loop may wait for window messages, and until when the clock allows a wait.
#pragma once

#include <cstdint>
#include <optional>

// What the loop knows about the frame it has just built.
struct BuiltTurn {
    // Window messages were handled since the frame before.
    bool messages = false;
    // Of the frame's draw data; none when it carries texture updates.
    std::optional<std::uint64_t> signature;
    // Frames are needed whatever they show: input is held or queued, a restore point is
    // being made.
    bool busy = false;
};

// Shows a frame that differs from the one on screen, or any frame after a window message
// (a paint request needs one). Lets the loop wait once two frames in a row were identical
// with no message between them and nothing keeping it busy.
class IdlePolicy {
  public:
    struct Decision {
        bool present = true;
        bool idle = false;
    };
    Decision After(const BuiltTurn& turn);

  private:
    std::optional<std::uint64_t> previous_;
    std::optional<std::uint64_t> shown_;
};

// Milliseconds until the clock next changes what a frame shows: the next load sample, due at
// `nextSampleMs`, or the end of the toast's hold for a message logged at `toastTickMs` (0:
// none). 0 while the toast fades, which changes nearly every frame. The text caret does not
// blink, so it needs no wake of its own.
std::uint64_t MsUntilClockChange(std::uint64_t nowMs, std::uint64_t nextSampleMs,
                                 std::uint64_t toastTickMs);
