#include "app/idle_policy.h"

#include <algorithm>

#include "shell/toast.h"

IdlePolicy::Decision IdlePolicy::After(const BuiltTurn& turn) {
    const bool unchanged = turn.signature && previous_ == turn.signature;
    Decision decision;
    decision.present = turn.messages || !turn.signature || shown_ != turn.signature;
    decision.idle = unchanged && !turn.messages && !turn.busy;
    previous_ = turn.signature;
    if (decision.present)
        shown_ = turn.signature;
    return decision;
}

std::uint64_t MsUntilClockChange(std::uint64_t nowMs, std::uint64_t nextSampleMs,
                                 std::uint64_t toastTickMs) {
    std::uint64_t wait = nextSampleMs > nowMs ? nextSampleMs - nowMs : 0;
    if (toastTickMs != 0) {
        const std::uint64_t fadeStart = toastTickMs + kToastHoldMs;
        if (nowMs < fadeStart)
            wait = std::min(wait, fadeStart - nowMs);
        else if (nowMs <= fadeStart + kToastFadeMs)
            wait = 0;
    }
    return wait;
}
