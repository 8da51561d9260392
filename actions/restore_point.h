// A Windows restore point, asked for on a worker thread because the system call blocks
// until it is done; the worker hands its report to the interface thread through one atomic
// that the main loop polls. Logging and recording the result are the engine's.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "state/refusal.h"

// Set while a worker runs; the chrome shows a busy label instead of the button.
inline std::atomic<bool> RestorePointBusy{false};

enum class RestorePointOutcome : std::int32_t {
    None = -1,
    Failed = 0,
    Created = 1,
    Skipped = 2,     // accepted, but the system kept the point it made within the last 24 hours
    NotStarted = 3,  // the worker thread could not be created
};

// What a request came to, small enough to cross threads in one lock-free atomic: the
// outcome and, for a refusal, the Win32 code of the refused call.
struct RestorePointReport {
    RestorePointOutcome outcome = RestorePointOutcome::None;
    std::uint32_t code = 0;

    constexpr RestorePointReport() = default;
    // Implicit: an outcome alone is a report without a code.
    constexpr RestorePointReport(RestorePointOutcome what, std::uint32_t refusedCode = 0)
        : outcome(what), code(refusedCode) {}
    bool operator==(const RestorePointReport&) const = default;

    // Refused for Failed (SRSetRestorePointW and its status) and NotStarted (CreateThread
    // and its code); ok otherwise.
    Result AsResult() const;
};
static_assert(std::atomic<RestorePointReport>::is_always_lock_free);

// The worker's report, waiting for the next take.
inline std::atomic<RestorePointReport> RestorePointStatus{};

// Starts the worker unless one runs; false when one runs, and the request is ignored. A
// worker that cannot be started leaves a NotStarted report for the next take, as a worker
// would, and clears the busy flag.
[[nodiscard]] bool StartRestorePointWorker();
// The worker's request, on the calling thread: Created, Skipped, or Failed with the code.
[[nodiscard]] RestorePointReport CreateRestorePoint(const std::u16string& description);
