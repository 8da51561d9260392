// A state file that this run could not read whole is never lost: an unreadable one is not
// replaced at all, one that did not decode is copied aside before the first save.
#include <gtest/gtest.h>

#include <functional>

#include "state/state_file.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"
#include "support/state_matchers.h"

namespace {

class StateKeepTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        saved.AppliedSet = {"diagtrack", "menudelay"};
        saved.RegistryBackups["menudelay"] = {{RegistryRoot::CurrentUser,
                                               u"Control Panel\\Desktop",
                                               u"MenuShowDelay",
                                               true,
                                               1,
                                               {'4', 0, 0, 0}}};
        saved.ServiceBackups["diagtrack"] = {{u"DiagTrack", true, 2}};
        saved.BackupStore["dns.alias"] = "Ethernet";
        file = EncodeState(saved);
        // The folder exists, as after any earlier run.
        sim::TheMachine().fileSystem.directories.insert(Folder());
        sim::TheMachine().fileSystem.directories.insert(
            u"C:\\Users\\sim\\AppData\\Local\\Quillfarrow");
    }
    static std::optional<sim::Bytes> CopyAside() { return sim::FileContent(StatePath() + u".bad"); }
    AppState saved;
    sim::Bytes file;
    AppState changed = [] {
        AppState state;
        state.AppliedSet = {"fso"};
        return state;
    }();
};

struct ReadFault {
    const char* name;
    // Sets the fault up; a handle it returns stays open during the load and the save.
    std::function<platform::File()> inject;
};

TEST_F(StateKeepTest, AFileThatCouldNotBeReadIsNeverReplaced) {
    const ReadFault faults[] = {
        {"held open without read sharing",
         [] {
             platform::File holder;
             EXPECT_TRUE(platform::FileCreate(StatePath(), platform::kGenericWrite, 0,
                                              platform::kOpenExisting, 0, holder)
                             .Ok());
             return holder;
         }},
        {"access denied",
         [] {
             sim::TheMachine().fileFaults.createErrors[StatePath()] = platform::kErrorAccessDenied;
             return platform::File();
         }},
        {"size cannot be read",
         [] {
             sim::TheMachine().fileFaults.sizeError = platform::kErrorAccessDenied;
             return platform::File();
         }},
        {"read fails",
         [] {
             sim::TheMachine().fileFaults.readError = 23;  // ERROR_CRC
             return platform::File();
         }},
        {"read comes up short",
         [] {
             sim::TheMachine().fileFaults.reportedSizes[StatePath()] = 4096;
             return platform::File();
         }},
    };
    for (const ReadFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        SetUp();
        sim::PutFile(StatePath(), file);
        {
            const platform::File holder = fault.inject();
            AppState state;
            LoadState(state);
            EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Unreadable);
            EXPECT_TRUE(SamePersisted(state, AppState{}));
            EXPECT_EQ(SaveState(changed).Reason(),
                      Refusal::Own("state file unreadable at start-up"));
        }
        // Not even once the other program let go, and not by a later save of this run.
        sim::TheMachine().fileFaults = {};
        EXPECT_EQ(SaveState(changed).Reason(), Refusal::Own("state file unreadable at start-up"));
        EXPECT_EQ(sim::FileContent(StatePath()), file);
        EXPECT_FALSE(CopyAside().has_value());
        EXPECT_FALSE(sim::FileContent(StatePath() + u".tmp").has_value());
        EXPECT_TRUE(NoHandleOpen());
    }
}

TEST_F(StateKeepTest, AMissingFileOrFolderLeavesTheSaveFree) {
    AppState state;
    LoadState(state);
    EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Missing);
    EXPECT_TRUE(SaveState(changed).Ok());
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(changed));
}

struct Damage {
    const char* name;
    std::function<sim::Bytes(sim::Bytes)> apply;
};

TEST_F(StateKeepTest, AFileThatDidNotDecodeIsCopiedAsideBeforeTheFirstSave) {
    const Damage damages[] = {
        {"cut inside a record",
         [](sim::Bytes b) {
             b.resize(b.size() - 20);
             return b;
         }},
        {"cut before the store's count",
         [](sim::Bytes b) {
             // The flag and the store count of an empty-store file are its last 8 bytes.
             AppState bare;
             bare.AppliedSet = {"fso"};
             b = EncodeState(bare);
             b.resize(b.size() - 4);
             return b;
         }},
        {"bytes after the store",
         [](sim::Bytes b) {
             b.push_back(0);
             return b;
         }},
        {"foreign magic",
         [](sim::Bytes b) {
             b[0] = 'X';
             return b;
         }},
        {"shorter than 12 bytes",
         [](sim::Bytes b) {
             b.resize(11);
             return b;
         }},
        {"empty", [](sim::Bytes) { return sim::Bytes{}; }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        SetUp();
        const sim::Bytes damaged = damage.apply(file);
        sim::PutFile(StatePath(), damaged);
        sim::PutFile(StatePath() + u".bad", {1, 2, 3});  // an older copy
        AppState state;
        LoadState(state);
        EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Undecodable);
        EXPECT_EQ(CopyAside(), (sim::Bytes{1, 2, 3}));

        EXPECT_TRUE(SaveState(changed).Ok());
        EXPECT_EQ(CopyAside(), damaged);
        EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(changed));
        // Only the first save copies: the file it replaced was the damaged one.
        sim::PutFile(StatePath() + u".bad", {4});
        EXPECT_TRUE(SaveState(saved).Ok());
        EXPECT_EQ(CopyAside(), (sim::Bytes{4}));
        EXPECT_EQ(sim::FileContent(StatePath()), file);
    }
}

TEST_F(StateKeepTest, WhenTheCopyCannotBeWrittenTheFileStays) {
    const sim::Bytes damaged(file.begin(), file.end() - 3);
    sim::PutFile(StatePath(), damaged);
    AppState state;
    LoadState(state);
    sim::TheMachine().fileFaults.createErrors[StatePath() + u".bad.tmp"] = platform::kErrorDiskFull;
    EXPECT_EQ(SaveState(changed).Reason(), Refusal::Call("CreateFileW", platform::kErrorDiskFull));
    EXPECT_EQ(sim::FileContent(StatePath()), damaged);
    EXPECT_FALSE(CopyAside().has_value());

    // Once the copy can be made, the next save makes it and then replaces the file.
    sim::TheMachine().fileFaults.createErrors.clear();
    EXPECT_TRUE(SaveState(changed).Ok());
    EXPECT_EQ(CopyAside(), damaged);
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(changed));
}

TEST_F(StateKeepTest, AWholeFileIsReplacedWithoutACopy) {
    sim::PutFile(StatePath(), file);
    AppState state;
    LoadState(state);
    EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Read);
    EXPECT_TRUE(SamePersisted(state, saved));
    EXPECT_TRUE(SaveState(changed).Ok());
    EXPECT_FALSE(CopyAside().has_value());
}

TEST_F(StateKeepTest, AFileOverTheCapIsNotReadAndIsReplacedWithoutACopy) {
    for (const std::uint64_t size : {kMaxStateFileBytes + 1, std::uint64_t{2} << 30,
                                     std::uint64_t{1} << 32, std::uint64_t{5} << 32}) {
        SCOPED_TRACE(size);
        SetUp();
        sim::PutFile(StatePath(), file);
        sim::TheMachine().fileFaults.reportedSizes[StatePath()] = size;
        AppState state;
        LoadState(state);
        EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Oversized);
        EXPECT_TRUE(SamePersisted(state, AppState{}));
        EXPECT_TRUE(SaveState(changed).Ok());
        EXPECT_FALSE(CopyAside().has_value());
        EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(changed));
    }
}

TEST_F(StateKeepTest, EachLoadStartsAfresh) {
    sim::PutFile(StatePath(), file);
    sim::TheMachine().fileFaults.createErrors[StatePath()] = platform::kErrorAccessDenied;
    AppState state;
    LoadState(state);
    ASSERT_EQ(LastStateFileLoad(), StateFileLoad::Unreadable);
    sim::TheMachine().fileFaults.createErrors.clear();
    LoadState(state);
    EXPECT_EQ(LastStateFileLoad(), StateFileLoad::Read);
    EXPECT_TRUE(SaveState(changed).Ok());
}

}  // namespace
