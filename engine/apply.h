// Turning a catalog tweak on: its action alone. The bookkeeping that follows is Record's
// (engine/tweak_change.h).
#pragma once

#include <string_view>

#include "engine/tweak_change.h"
#include "state/app_state.h"

// Runs the tweak's action against a scratch record that starts with the state's
// BackupStore and no captures; `state` itself is only read. A failed attempt puts back what
// it changed, as far as its captures allow. An id not in the catalog is refused ("not in the
// catalog") without any change. Whether the tweak is applied already is not checked.
[[nodiscard]] TweakChange RunApply(const AppState& state, std::string_view id);
