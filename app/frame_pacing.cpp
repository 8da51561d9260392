#include "app/frame_pacing.h"

std::uint64_t RefreshIntervalUs(std::uint32_t hertz) {
    constexpr std::uint32_t kDefaultHertz = 60;
    return 1'000'000 / (hertz > 1 ? hertz : kDefaultHertz);
}

std::uint64_t FramePacer::WaitAfter(std::uint64_t turnUs) {
    if (turnUs * 2 >= intervalUs_) {
        shortTurns_ = 0;
        return 0;
    }
    if (shortTurns_ < kShortTurnsBeforePacing)
        ++shortTurns_;
    return shortTurns_ >= kShortTurnsBeforePacing ? intervalUs_ - turnUs : 0;
}
