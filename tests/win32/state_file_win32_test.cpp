// state.bin and session.log through the real Windows file calls, in the Wine user's data
// folder.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/files.h"
#include "platform/win32/handle.h"
#include "state/data_folder.h"
#include "state/session_log.h"
#include "state/state_file.h"
#include "support/refusal_print.h"
#include "support/state_matchers.h"

namespace {

std::vector<std::uint8_t> Content(const std::u16string& path) {
    platform::File file;
    if (!platform::FileCreate(path, platform::kGenericRead, platform::kFileShareRead,
                              platform::kOpenExisting, platform::kFileAttributeNormal, file)
             .Ok()) {
        return {};
    }
    std::vector<std::uint8_t> bytes(1 << 16);
    std::uint32_t read = 0;
    EXPECT_TRUE(
        platform::FileRead(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), read)
            .Ok());
    bytes.resize(read);
    return bytes;
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) !=
           INVALID_FILE_ATTRIBUTES;
}

AppState Sample(const char* id) {
    AppState state;
    state.AppliedSet = {id, "dns"};
    state.RegistryBackups[id] = {{RegistryRoot::CurrentUser,
                                  u"Control Panel\\Desktop",
                                  u"MenuShowDelay",
                                  true,
                                  1,
                                  {'4', 0, 0, 0}}};
    state.ServiceBackups["diagtrack"] = {{u"DiagTrack", true, 2}};
    state.BackupStore["dns.alias"] = "Ethernet \xC3\xA9";
    return state;
}

TEST(StateFileWin32, TheDataFolderIsUnderLocalAppData) {
    const std::u16string& folder = DataFolder();
    EXPECT_TRUE(folder.ends_with(u"\\AppData\\Local\\Quillfarrow\\Optimizer") ||
                folder.ends_with(u"\\Local Settings\\Application Data\\Quillfarrow\\Optimizer"))
        << std::string(folder.begin(), folder.end());
    EXPECT_TRUE(Exists(folder));
}

TEST(StateFileWin32, SaveReplacesTheFileAndLoadReadsItBack) {
    ForgetStateFileLoad();
    ASSERT_TRUE(SaveState(Sample("fso")).Ok());
    const AppState state = Sample("menudelay");
    ASSERT_TRUE(SaveState(state).Ok());
    EXPECT_EQ(Content(StateFilePath()), EncodeState(state));
    EXPECT_FALSE(Exists(StateFilePath() + u".tmp"));
    AppState loaded;
    LoadState(loaded);
    EXPECT_TRUE(SamePersisted(loaded, state));
}

TEST(StateFileWin32, ASaveThatCannotReplaceLeavesTheFileAsItWas) {
    ForgetStateFileLoad();
    ASSERT_TRUE(SaveState(Sample("fso")).Ok());
    const std::vector<std::uint8_t> before = Content(StateFilePath());
    {
        // Another program reading the file without letting it be replaced.
        platform::File holder;
        ASSERT_TRUE(platform::FileCreate(StateFilePath(), platform::kGenericRead,
                                         platform::kFileShareRead | platform::kFileShareWrite,
                                         platform::kOpenExisting, platform::kFileAttributeNormal,
                                         holder)
                        .Ok());
        const Result saved = SaveState(Sample("hags"));
        ASSERT_FALSE(saved.Ok());
        // Refused by the replace, with the system's code.
        EXPECT_EQ(saved.Reason()->What(), "MoveFileExW");
        EXPECT_NE(saved.Reason()->Code(), 0u);
    }
    EXPECT_EQ(Content(StateFilePath()), before);
    EXPECT_FALSE(Exists(StateFilePath() + u".tmp"));
}

TEST(StateFileWin32, AFileHeldWithoutReadSharingIsNeitherLoadedNorReplaced) {
    ForgetStateFileLoad();
    ASSERT_TRUE(SaveState(Sample("fso")).Ok());
    const std::vector<std::uint8_t> before = Content(StateFilePath());
    platform::win32::UniqueHandle holder(CreateFileW(
        reinterpret_cast<const wchar_t*>(StateFilePath().c_str()), GENERIC_READ | GENERIC_WRITE, 0,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    AppState loaded;
    LoadState(loaded);
    EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Unreadable);
    EXPECT_TRUE(SamePersisted(loaded, AppState{}));
    const Refusal unreadable = Refusal::Own("state file unreadable at start-up");
    EXPECT_EQ(SaveState(Sample("hags")).Reason(), unreadable);
    holder.reset();
    EXPECT_EQ(SaveState(Sample("hags")).Reason(), unreadable);
    EXPECT_EQ(Content(StateFilePath()), before);
    ForgetStateFileLoad();
}

TEST(StateFileWin32, ACutFileIsCopiedAsideBeforeItIsReplaced) {
    ForgetStateFileLoad();
    std::vector<std::uint8_t> cut = EncodeState(Sample("fso"));
    cut.resize(cut.size() - 5);
    {
        platform::File file;
        ASSERT_TRUE(platform::FileCreate(StateFilePath(), platform::kGenericWrite, 0,
                                         platform::kCreateAlways, platform::kFileAttributeNormal,
                                         file)
                        .Ok());
        std::uint32_t written = 0;
        ASSERT_TRUE(
            platform::FileWrite(file, cut.data(), static_cast<std::uint32_t>(cut.size()), written)
                .Ok());
    }
    AppState loaded;
    LoadState(loaded);
    EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Undecodable);
    const AppState state = Sample("hags");
    ASSERT_TRUE(SaveState(state).Ok());
    EXPECT_EQ(Content(StateFileCopyPath()), cut);
    EXPECT_EQ(Content(StateFilePath()), EncodeState(state));
    EXPECT_FALSE(Exists(StateFileCopyPath() + u".tmp"));
    DeleteFileW(reinterpret_cast<const wchar_t*>(StateFileCopyPath().c_str()));
    ForgetStateFileLoad();
}

TEST(StateFileWin32, LogLinesAreAppendedAsUtf16) {
    const std::vector<std::uint8_t> before = Content(SessionLogPath());
    AppState state;
    LogAction(state, "caf\xC3\xA9 \xF0\x9F\x98\x80", LogKind::Success);
    const std::vector<std::uint8_t> after = Content(SessionLogPath());
    ASSERT_EQ(after.size(), before.size() + 2 * (8 + 2 + 7 + 2));
    const std::vector<std::uint8_t> tail(
        after.begin() + static_cast<std::ptrdiff_t>(before.size()) + 16, after.end());
    const std::vector<std::uint8_t> expected = {' ',  0,    ' ',  0, 'c',  0, 'a',  0,
                                                'f',  0,    0xE9, 0, ' ',  0, 0x3D, 0xD8,
                                                0x00, 0xDE, '\r', 0, '\n', 0};
    EXPECT_EQ(tail, expected);
}

}  // namespace
