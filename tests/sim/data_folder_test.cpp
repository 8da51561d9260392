#include <gtest/gtest.h>

#include "support/sim_fixture.h"

namespace {

class DataFolderTest : public SimTest {};

TEST_F(DataFolderTest, IsCreatedUnderLocalAppDataOnFirstUseAndRemembered) {
    EXPECT_EQ(DataFolder(), Folder());
    EXPECT_EQ(sim::TheMachine().fileSystem.directories.count(Folder()), 1u);
    EXPECT_EQ(sim::TheMachine().fileSystem.directories.count(
                  u"C:\\Users\\sim\\AppData\\Local\\Quillfarrow"),
              1u);
    sim::TheMachine().localAppData = u"D:\\Elsewhere";
    EXPECT_EQ(DataFolder(), Folder());
    EXPECT_EQ(sim::TheMachine().knownFolderCalls, 1);
    EXPECT_EQ(sim::TheMachine().createDirectoryCalls, 1);
}

TEST_F(DataFolderTest, AnExistingFolderIsFine) {
    ASSERT_TRUE(platform::CreateDirectoryTree(Folder()).Ok());
    EXPECT_EQ(DataFolder(), Folder());
}

TEST_F(DataFolderTest, IsTheCurrentDirectoryWhenLocalAppDataIsUnknown) {
    sim::TheMachine().localAppData.reset();
    EXPECT_EQ(DataFolder(), u".");
    EXPECT_EQ(sim::TheMachine().createDirectoryCalls, 0);
}

TEST_F(DataFolderTest, AFolderThatCannotBeMadeIsStillNamed) {
    sim::TheMachine().fileFaults.createDirectoryError = platform::kErrorAccessDenied;
    EXPECT_EQ(DataFolder(), Folder());
}

}  // namespace
