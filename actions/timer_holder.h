// Holds the system timer at 0.5 ms: a request made through NtSetTimerResolution lasts only
// while it is renewed, so a thread renews it every 250 ms until told to stop.
#pragma once

#include <atomic>

#include "state/refusal.h"

// Set while the holder is wanted; the holder thread loops while it is set.
inline std::atomic<bool> TimerHolderRunning{false};

// Ok when a holder runs, already or newly started; refused with CreateThread's code.
[[nodiscard]] Result StartTimerHolder();
// Withdraws the holder and waits up to 2 s for its thread to end.
void StopTimerHolder();
// The holder thread's entry.
unsigned TimerHolder();
