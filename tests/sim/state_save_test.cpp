// Saving replaces state.bin whole or leaves it untouched.
#include <gtest/gtest.h>

#include <functional>

#include "state/state_file.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"
#include "support/state_matchers.h"

namespace {

class StateSaveTest : public SimTest {
  protected:
    static AppState Applied(std::initializer_list<const char*> ids) {
        AppState state;
        for (const char* id : ids)
            state.AppliedSet.insert(id);
        state.BackupStore["dns.alias"] = "Wi-Fi";
        return state;
    }
    static bool TemporaryLeft() { return sim::FileContent(StatePath() + u".tmp").has_value(); }
};

TEST_F(StateSaveTest, WritesTheEncodedStateAndNothingElse) {
    const AppState state = Applied({"dns", "timerres"});
    ASSERT_TRUE(SaveState(state).Ok());
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(state));
    EXPECT_FALSE(TemporaryLeft());
    EXPECT_TRUE(NoHandleOpen());
    AppState loaded;
    LoadState(loaded);
    EXPECT_TRUE(SamePersisted(loaded, state));
}

TEST_F(StateSaveTest, ReplacesTheFileAndAStaleTemporaryFile) {
    sim::PutFile(StatePath(), EncodeState(Applied({"fso"})));
    sim::PutFile(StatePath() + u".tmp", {1, 2, 3});
    const AppState state = Applied({"hags"});
    ASSERT_TRUE(SaveState(state).Ok());
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(state));
    EXPECT_FALSE(TemporaryLeft());
}

struct SaveFault {
    const char* name;
    // Sets the fault up; a handle it returns stays open during the save.
    std::function<platform::File()> inject;
    // The save's reason: the refused file call and its code.
    Refusal refusal;
};

TEST_F(StateSaveTest, AFailedSaveLeavesThePreviousFileByteIdentical) {
    const SaveFault faults[] = {
        {"temporary file cannot be created",
         [] {
             sim::TheMachine().fileFaults.createErrors[StatePath() + u".tmp"] = 5;
             return platform::File();
         },
         Refusal::Call("CreateFileW", 5)},
        {"write fails",
         [] {
             sim::TheMachine().fileFaults.writeError = platform::kErrorDiskFull;
             return platform::File();
         },
         Refusal::Call("WriteFile", platform::kErrorDiskFull)},
        {"write comes up short",
         [] {
             sim::TheMachine().fileFaults.writeShortBy = 1;
             return platform::File();
         },
         Refusal::Own("short write")},
        {"flush fails",
         [] {
             sim::TheMachine().fileFaults.flushError = platform::kErrorWriteFault;
             return platform::File();
         },
         Refusal::Call("FlushFileBuffers", platform::kErrorWriteFault)},
        {"replace fails",
         [] {
             sim::TheMachine().fileFaults.moveError = platform::kErrorAccessDenied;
             return platform::File();
         },
         Refusal::Call("MoveFileExW", platform::kErrorAccessDenied)},
        {"state file held open by another program",
         [] {
             platform::File holder;
             EXPECT_TRUE(platform::FileCreate(StatePath(), platform::kGenericRead,
                                              platform::kFileShareRead | platform::kFileShareWrite,
                                              platform::kOpenExisting, 0, holder)
                             .Ok());
             return holder;
         },
         Refusal::Call("MoveFileExW", platform::kErrorSharingViolation)},
    };
    for (const SaveFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        sim::Reset();
        ForgetDataFolder();
        ASSERT_TRUE(SaveState(Applied({"fso"})).Ok());
        const auto before = sim::FileContent(StatePath());
        ASSERT_TRUE(before.has_value());
        const platform::File holder = fault.inject();
        EXPECT_EQ(SaveState(Applied({"fso", "hags", "nagle"})).Reason(), fault.refusal);
        EXPECT_EQ(sim::FileContent(StatePath()), before);
        EXPECT_FALSE(TemporaryLeft());
    }
}

TEST_F(StateSaveTest, WithoutADataFolderTheFileGoesToTheCurrentDirectory) {
    sim::TheMachine().localAppData.reset();
    const AppState state = Applied({"gamedvr"});
    ASSERT_TRUE(SaveState(state).Ok());
    EXPECT_EQ(sim::FileContent(u".\\state.bin"), EncodeState(state));
}

}  // namespace
