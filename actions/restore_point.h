// A Windows restore point, asked for on a worker thread because the system call blocks
// until it is done; the worker hands its outcome to the interface thread through one atomic
// status that the main loop polls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "state/app_state.h"

// Set while a worker runs; the chrome shows a busy label instead of the button.
inline std::atomic<bool> RestorePointBusy{false};

enum class RestorePointOutcome : std::int32_t {
    None = -1,
    Failed = 0,
    Created = 1,
    Skipped = 2,  // accepted, but the system kept the point it made within the last 24 hours
};
// The worker's outcome, waiting for the next poll.
inline std::atomic<RestorePointOutcome> RestorePointStatus{RestorePointOutcome::None};

// Starts the worker unless one runs, and logs that a point is in progress. A worker that
// cannot be started counts as a refusal at the next poll.
void StartRestorePoint(AppState& state);
// Takes the worker's outcome, if any: logs it, and on success records and saves the flag.
void PollRestorePoint(AppState& state);
// The worker's request, on the calling thread.
[[nodiscard]] RestorePointOutcome CreateRestorePoint(const std::u16string& description);
