// The session log in memory and in session.log.
#include <gtest/gtest.h>

#include "state/session_log.h"
#include "support/bytes.h"
#include "support/sim_fixture.h"

namespace {

class SessionLogTest : public SimTest {
  protected:
    static std::vector<std::uint8_t> Line(std::u16string_view time, std::u16string_view message) {
        return Bytes().Utf16(time).Utf16(u"  ").Utf16(message).Utf16(u"\r\n");
    }
    AppState state;
};

TEST_F(SessionLogTest, AFirstActionCreatesTheFileWithoutAByteOrderMark) {
    sim::TheMachine().tickMs = 123456;
    LogAction(state, "optimizer ready", LogKind::Info);
    EXPECT_EQ(sim::FileContent(LogPath()), Line(u"09:05:07", u"optimizer ready"));
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0].time, u"09:05:07");
    EXPECT_EQ(state.LogEntries[0].message, "optimizer ready");
    EXPECT_EQ(state.LastMessage, "optimizer ready");
    EXPECT_EQ(state.LastKind, LogKind::Info);
    EXPECT_EQ(state.LastTick, 123456u);
    EXPECT_TRUE(NoHandleOpen());
}

TEST_F(SessionLogTest, LinesAreAppendedAfterWhatTheFileHeld) {
    const std::vector<std::uint8_t> earlier = Line(u"08:00:00", u"from an earlier run");
    sim::PutFile(LogPath(), earlier);
    sim::TheMachine().localTime = {13, 4, 59};
    LogAction(state, "applied  Menu delays", LogKind::Success);
    LogAction(state, "failed  Nagle", LogKind::Error);
    std::vector<std::uint8_t> expected = earlier;
    for (const auto& line :
         {Line(u"13:04:59", u"applied  Menu delays"), Line(u"13:04:59", u"failed  Nagle")}) {
        expected.insert(expected.end(), line.begin(), line.end());
    }
    EXPECT_EQ(sim::FileContent(LogPath()), expected);
    EXPECT_EQ(state.LastKind, LogKind::Error);
}

TEST_F(SessionLogTest, MessagesAreWrittenAsUtf16CodeUnits) {
    const struct {
        const char* name;
        const char* message;
        std::u16string written;
    } rows[] = {
        {"empty", "", u""},
        {"accented letter", "caf\xC3\xA9", u"caf\u00E9"},
        {"outside the basic plane", "\xF0\x9F\x9A\x80 go", u"\xD83D\xDE80 go"},
        {"invalid UTF-8", "bad \xFF byte", u"bad \uFFFD byte"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        ForgetDataFolder();
        AppState fresh;
        LogAction(fresh, row.message, LogKind::Info);
        EXPECT_EQ(sim::FileContent(LogPath()), Line(u"09:05:07", row.written));
        // The entry keeps the caller's bytes unchanged.
        EXPECT_EQ(fresh.LogEntries.at(0).message, row.message);
    }
}

TEST_F(SessionLogTest, TheNewest400EntriesAreKept) {
    for (int i = 1; i <= 401; ++i) {
        LogAction(state, "entry " + std::to_string(i), LogKind::Info);
    }
    ASSERT_EQ(state.LogEntries.size(), 400u);
    EXPECT_EQ(state.LogEntries.front().message, "entry 2");
    EXPECT_EQ(state.LogEntries.back().message, "entry 401");
}

TEST_F(SessionLogTest, AnUnknownKindIsStoredUnchanged) {
    LogAction(state, "odd", static_cast<LogKind>(7));
    EXPECT_EQ(state.LogEntries.at(0).kind, static_cast<LogKind>(7));
    EXPECT_EQ(state.LastKind, static_cast<LogKind>(7));
}

TEST_F(SessionLogTest, AnUnwritableFileStillLogsInMemory) {
    sim::TheMachine().fileFaults.createErrors[LogPath()] = platform::kErrorAccessDenied;
    LogAction(state, "dns: failed", LogKind::Error);
    EXPECT_FALSE(sim::FileContent(LogPath()).has_value());
    EXPECT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LastMessage, "dns: failed");
}

TEST_F(SessionLogTest, WithoutADataFolderTheFileIsInTheCurrentDirectory) {
    sim::TheMachine().localAppData.reset();
    EXPECT_EQ(SessionLogPath(), u".\\session.log");
    LogAction(state, "x", LogKind::Info);
    EXPECT_EQ(sim::FileContent(u".\\session.log"), Line(u"09:05:07", u"x"));
}

TEST_F(SessionLogTest, TheTimeIsTwoDigitsEach) {
    const struct {
        platform::LocalTime time;
        std::u16string text;
    } rows[] = {{{0, 0, 0}, u"00:00:00"}, {{23, 59, 59}, u"23:59:59"}, {{7, 10, 3}, u"07:10:03"}};
    for (const auto& row : rows) {
        sim::TheMachine().localTime = row.time;
        EXPECT_EQ(LocalTimeText(), row.text);
    }
}

}  // namespace
