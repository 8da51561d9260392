#include "state/session_log.h"

#include <cstdio>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "state/data_folder.h"
#include "state/text.h"

namespace {

void AppendLine(const std::u16string& line) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(line.size() * 2);
    for (const char16_t unit : line) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    // Opened and closed for each line, so the user can read or delete the file meanwhile.
    platform::File file;
    if (!platform::FileCreate(SessionLogPath(), platform::kFileAppendData, platform::kFileShareRead,
                              platform::kOpenAlways, platform::kFileAttributeNormal, file)
             .Ok()) {
        return;
    }
    std::uint32_t written = 0;
    static_cast<void>(
        platform::FileWrite(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), written));
}

}  // namespace

std::u16string LocalTimeText() {
    const platform::LocalTime now = platform::LocalTimeNow();
    char text[24];  // room for any 16-bit field, though the clock gives two digits
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned{now.hour}, unsigned{now.minute},
                  unsigned{now.second});
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string SessionLogPath() {
    return DataFolder() + u"\\session.log";
}

void LogAction(AppState& state, std::string_view message, LogKind kind, std::string_view reason) {
    state.LastMessage = std::string(message);
    state.LastKind = kind;
    state.LastTick = platform::TickCountMs();
    state.LogEntries.push_back(
        LogEntry{LocalTimeText(), std::string(message), kind, std::string(reason)});
    if (state.LogEntries.size() > kMaxLogEntries) {
        state.LogEntries.erase(state.LogEntries.begin());
    }
    AppendLine(LocalTimeText() + u"  " + ToUtf16(message) + u"\r\n");
}
