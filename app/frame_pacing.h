// Keeps the loop to the display's refresh rate where the present call does not wait for the
// vertical blank (a virtual display, some remote sessions and virtual machines).
#pragma once

#include <cstdint>

// The display's refresh interval for a rate in hertz as the system reports it; 60 Hz when
// the system reports none (0, or 1 for "the hardware's default").
std::uint64_t RefreshIntervalUs(std::uint32_t hertz);

// Waits only once three turns in a row took less than half the refresh interval: a present
// that waits for the vertical blank never makes a turn that short.
class FramePacer {
  public:
    explicit FramePacer(std::uint64_t intervalUs) : intervalUs_(intervalUs) {}
    // How long to wait after a turn that took `turnUs`, so that it lasts one interval.
    std::uint64_t WaitAfter(std::uint64_t turnUs);

  private:
    static constexpr int kShortTurnsBeforePacing = 3;
    std::uint64_t intervalUs_;
    int shortTurns_ = 0;
};
