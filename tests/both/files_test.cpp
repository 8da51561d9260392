// The file primitives, run against the platform this executable links, so that the
// simulation is held to what Windows does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/folders.h"
#include "support/test_platform.h"

namespace {

using platform::File;

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override { folder = ScratchFolder(); }
    std::u16string Path(const char16_t* name) const { return folder + u"\\" + name; }

    static platform::Status Open(const std::u16string& path, std::uint32_t access,
                                 std::uint32_t share, std::uint32_t disposition, File& file) {
        return platform::FileCreate(path, access, share, disposition,
                                    platform::kFileAttributeNormal, file);
    }
    static void Write(const std::u16string& path, const std::string& text) {
        File file;
        ASSERT_TRUE(Open(path, platform::kGenericWrite, 0, platform::kCreateAlways, file).Ok());
        std::uint32_t written = 0;
        ASSERT_TRUE(
            platform::FileWrite(file, text.data(), static_cast<std::uint32_t>(text.size()), written)
                .Ok());
        ASSERT_EQ(written, text.size());
    }
    static std::string Read(const std::u16string& path) {
        File file;
        if (!Open(path, platform::kGenericRead, platform::kFileShareRead, platform::kOpenExisting,
                  file)
                 .Ok()) {
            return "<missing>";
        }
        std::string text(64, '\0');
        std::uint32_t read = 0;
        EXPECT_TRUE(platform::FileRead(file, text.data(), 64, read).Ok());
        text.resize(read);
        return text;
    }

    std::u16string folder;
};

TEST_F(FilesTest, WrittenBytesReadBackWithTheirSize) {
    Write(Path(u"a.bin"), std::string("one\0two", 7));
    File file;
    ASSERT_TRUE(Open(Path(u"A.BIN"), platform::kGenericRead, platform::kFileShareRead,
                     platform::kOpenExisting, file)
                    .Ok());
    std::uint64_t size = 0;
    ASSERT_TRUE(platform::FileSize(file, size).Ok());
    EXPECT_EQ(size, 7u);
    file.reset();
    EXPECT_EQ(Read(Path(u"a.bin")), std::string("one\0two", 7));
}

TEST_F(FilesTest, OpeningReportsWindowsErrorCodes) {
    File file;
    EXPECT_EQ(
        Open(Path(u"missing.bin"), platform::kGenericRead, 0, platform::kOpenExisting, file).Code(),
        platform::kErrorFileNotFound);
    EXPECT_FALSE(file.Valid());
    EXPECT_EQ(
        Open(Path(u"no-folder\\x.bin"), platform::kGenericWrite, 0, platform::kCreateAlways, file)
            .Code(),
        platform::kErrorPathNotFound);
}

TEST_F(FilesTest, CreateAlwaysTruncatesAndOpenAlwaysKeeps) {
    Write(Path(u"t.txt"), "long content");
    {
        File file;
        ASSERT_TRUE(Open(Path(u"t.txt"), platform::kFileAppendData, platform::kFileShareRead,
                         platform::kOpenAlways, file)
                        .Ok());
        std::uint32_t written = 0;
        ASSERT_TRUE(platform::FileWrite(file, "!", 1, written).Ok());
    }
    EXPECT_EQ(Read(Path(u"t.txt")), "long content!");
    Write(Path(u"t.txt"), "short");
    EXPECT_EQ(Read(Path(u"t.txt")), "short");
}

TEST_F(FilesTest, SharingModesAreEnforced) {
    Write(Path(u"s.txt"), "x");
    File reader;
    ASSERT_TRUE(Open(Path(u"s.txt"), platform::kGenericRead, platform::kFileShareRead,
                     platform::kOpenExisting, reader)
                    .Ok());
    File second;
    EXPECT_TRUE(Open(Path(u"s.txt"), platform::kGenericRead, platform::kFileShareRead,
                     platform::kOpenExisting, second)
                    .Ok());
    second.reset();
    EXPECT_EQ(Open(Path(u"s.txt"), platform::kGenericWrite, platform::kFileShareRead,
                   platform::kOpenExisting, second)
                  .Code(),
              platform::kErrorSharingViolation);
    EXPECT_EQ(platform::FileDelete(Path(u"s.txt")).Code(), platform::kErrorSharingViolation);
    EXPECT_EQ(
        platform::FileMove(Path(u"s.txt"), Path(u"moved.txt"), platform::kMoveFileReplaceExisting)
            .Code(),
        platform::kErrorSharingViolation);
}

TEST_F(FilesTest, HandlesRefuseWhatTheyWereNotOpenedFor) {
    Write(Path(u"r.txt"), "abc");
    File reader;
    ASSERT_TRUE(Open(Path(u"r.txt"), platform::kGenericRead, platform::kFileShareRead,
                     platform::kOpenExisting, reader)
                    .Ok());
    std::uint32_t written = 7;
    EXPECT_EQ(platform::FileWrite(reader, "z", 1, written).Code(), platform::kErrorAccessDenied);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(platform::FileFlush(reader).Code(), platform::kErrorAccessDenied);
    File writer;
    ASSERT_TRUE(
        Open(Path(u"w.txt"), platform::kGenericWrite, 0, platform::kCreateAlways, writer).Ok());
    char buffer[4];
    std::uint32_t read = 9;
    EXPECT_EQ(platform::FileRead(writer, buffer, 4, read).Code(), platform::kErrorAccessDenied);
    EXPECT_TRUE(platform::FileFlush(writer).Ok());
}

TEST_F(FilesTest, MoveReplacesOnlyWhenAsked) {
    Write(Path(u"new.txt"), "new");
    Write(Path(u"old.txt"), "old");
    EXPECT_EQ(platform::FileMove(Path(u"new.txt"), Path(u"old.txt"), 0).Code(),
              platform::kErrorAlreadyExists);
    EXPECT_TRUE(
        platform::FileMove(Path(u"new.txt"), Path(u"old.txt"),
                           platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough)
            .Ok());
    EXPECT_EQ(Read(Path(u"old.txt")), "new");
    EXPECT_EQ(Read(Path(u"new.txt")), "<missing>");
    EXPECT_EQ(
        platform::FileMove(Path(u"new.txt"), Path(u"old.txt"), platform::kMoveFileReplaceExisting)
            .Code(),
        platform::kErrorFileNotFound);
}

TEST_F(FilesTest, DeleteRemovesAndReportsMissingFiles) {
    Write(Path(u"d.txt"), "x");
    EXPECT_TRUE(platform::FileDelete(Path(u"d.txt")).Ok());
    EXPECT_EQ(platform::FileDelete(Path(u"d.txt")).Code(), platform::kErrorFileNotFound);
}

TEST_F(FilesTest, DirectoryTreesAreCreatedWithTheirParents) {
    const std::u16string deep = Path(u"one\\two\\three");
    EXPECT_TRUE(platform::CreateDirectoryTree(deep).Ok());
    EXPECT_EQ(platform::CreateDirectoryTree(deep).Code(), platform::kErrorAlreadyExists);
    Write(deep + u"\\f.txt", "deep");
    EXPECT_EQ(Read(deep + u"\\f.txt"), "deep");
}

}  // namespace
