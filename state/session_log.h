// The session log: every user-visible action becomes the toast's message, an entry of the
// in-memory log (the newest 400 kept) and a line of session.log in the data folder
// (UTF-16LE, no byte-order mark, "HH:MM:SS  message" and CR LF, appended across runs).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "state/app_state.h"

inline constexpr std::size_t kMaxLogEntries = 400;

// `reason` goes into the entry only, not into session.log nor the toast.
void LogAction(AppState& state, std::string_view message, LogKind kind,
               std::string_view reason = {});

// The current local time as HH:MM:SS.
std::u16string LocalTimeText();
std::u16string SessionLogPath();
