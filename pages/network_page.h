// The preset action of the Network page's DNS buttons.
#pragma once

#include <string>

#include "state/app_state.h"

// Puts the active interface's IPv4 DNS on these servers as the `dns` tweak: a preset in
// force is undone first, silently; then the choice is remembered, applied and, when netsh
// took the primary server, `dns` is marked applied and the state saved. False when the
// preset is not in force: netsh refused it, there is no interface, or the preset before it
// could not be undone (it then stays in force, with the captures of the user's own servers).
[[nodiscard]] bool ApplyDnsPreset(AppState& state, const std::u16string& primary,
                                  const std::u16string& secondary);
