// A program the shape of a console front end: the core and the simulated platform, with no
// Dear ImGui linked in. It toggles a tweak through the engine and exits 0 only when the
// outcome, the machine and the log agree that it was applied.
#include <cstdio>

#include "engine/operations.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"

int main() {
    sim::Reset();
    AppState state;
    const Outcome outcome = ToggleTweak(state, "menudelay");
    const auto written = sim::RegistryValueOf(platform::kHkeyCurrentUser, u"Control Panel\\Desktop",
                                              u"MenuShowDelay");
    const bool applied = outcome.changed.size() == 1 && outcome.failed.empty() &&
                         IsApplied(state, "menudelay") && written.has_value() &&
                         !state.LogEntries.empty() &&
                         state.LogEntries.back().message == "applied  Menu delays";
    std::printf("menudelay %s\n", applied ? "applied" : "NOT applied");
    return applied ? 0 : 1;
}
