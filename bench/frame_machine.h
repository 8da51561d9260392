// What the frame benchmark needs from the machine it runs on, one file per build: the
// interface fonts where LoadFonts looks for them, and a clock for one frame's cost.
#pragma once

#include <cstdint>

namespace frame_bench {

// Called once before the fonts are loaded: the simulated build puts the Inter files where
// the executable's resources would be; the Windows build has them compiled in.
void PrepareMachine();

// Nanoseconds on the clock that times one frame; only differences are meaningful.
std::uint64_t FrameClockNs();
// What that clock counts, for the printed figures.
const char* FrameClockName();

}  // namespace frame_bench
