#include "actions/timer_holder.h"

#include "platform/threads.h"

namespace {

constexpr std::uint32_t kResolution = 5000;  // 100 ns units: 0.5 ms
constexpr std::uint32_t kRenewalMs = 250;
constexpr std::uint32_t kStopWaitMs = 2000;

// Touched only by the interface thread.
platform::Thread& HolderThread() {
    static platform::Thread thread;
    return thread;
}

}  // namespace

Result StartTimerHolder() {
    if (TimerHolderRunning.load())
        return {};
    TimerHolderRunning.exchange(true);
    if (const platform::Status started = platform::ThreadStart(TimerHolder, HolderThread());
        !started.Ok()) {
        TimerHolderRunning.exchange(false);
        return Refusal::Call("CreateThread", started.Code());
    }
    return {};
}

void StopTimerHolder() {
    if (!TimerHolderRunning.exchange(false))
        return;
    platform::Thread& thread = HolderThread();
    if (thread.Valid()) {
        // Closed also when the wait runs out; the thread then ends on its own.
        static_cast<void>(platform::ThreadWait(thread, kStopWaitMs));
        thread.reset();
    }
}

unsigned TimerHolder() {
    // Without the entry point no resolution is held, yet the holder counts as running
    // until the next stop.
    if (!platform::ResolveSetTimerResolution())
        return 0;
    while (TimerHolderRunning.load()) {
        platform::SetTimerResolution(kResolution, true);
        platform::SleepMs(kRenewalMs);
    }
    platform::SetTimerResolution(kResolution, false);
    return 0;
}
