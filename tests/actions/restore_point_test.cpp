// The restore-point worker and its poll on the simulated System Restore.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "actions/restore_point.h"
#include "state/state_file.h"
#include "support/sim_fixture.h"

namespace {

class RestorePointTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        RestorePointStatus.store(RestorePointOutcome::None);
        RestorePointBusy.store(false);
    }
    void TearDown() override { EXPECT_TRUE(WorkerEnded()); }
    // The worker clears the busy flag last; waits for that with a deadline.
    static bool WorkerEnded() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (RestorePointBusy.load()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const LogEntry& entry : state.LogEntries)
            lines.push_back(entry.message);
        return lines;
    }
    static sim::RestorePoints& Points() { return sim::restorePoints(); }
    AppState state;
};

TEST_F(RestorePointTest, TwoQuickClicksStartOneWorkerAndACreatedPointIsSaved) {
    {
        // The worker waits for the simulated system while both clicks land.
        std::lock_guard lock(Points().mutex);
        StartRestorePoint(state);
        StartRestorePoint(state);
    }
    ASSERT_TRUE(WorkerEnded());
    EXPECT_EQ(sim::machine().threads.started, 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"restore point in progress..."}));
    {
        std::lock_guard lock(Points().mutex);
        EXPECT_EQ(Points().descriptions, (std::vector<std::u16string>{u"Quillfarrow Optimizer"}));
        EXPECT_EQ(Points().apartmentsAtRequest, 1);  // inside the worker's COM apartment
        EXPECT_EQ(Points().apartments, 0);           // and left again
    }
    EXPECT_FALSE(state.RestorePointCreated);  // only the poll records it
    PollRestorePoint(state);
    EXPECT_TRUE(state.RestorePointCreated);
    EXPECT_EQ(Log().back(), "restore point created");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(state));
    // A poll with nothing new changes nothing.
    PollRestorePoint(state);
    EXPECT_EQ(state.LogEntries.size(), 2u);
}

struct Refusal {
    const char* name;
    void (*set)(sim::RestorePoints&);
    RestorePointOutcome outcome;
    const char* line;
};

TEST_F(RestorePointTest, RefusalsAndSkipsAreLoggedAsWarningsAndNotRecorded) {
    const Refusal cases[] = {
        {"system protection off", [](sim::RestorePoints& p) { p.refusal = 1058; },
         RestorePointOutcome::Failed, "point denied (system protection disabled?)"},
        {"a point from the last day",
         [](sim::RestorePoints& p) {
             p.highest = 41;
             p.recentPointExists = true;
         },
         RestorePointOutcome::Skipped, "point skipped (one exists from the last 24 hours)"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        {
            std::lock_guard lock(Points().mutex);
            c.set(Points());
        }
        EXPECT_EQ(CreateRestorePoint(u"Quillfarrow Optimizer"), c.outcome);
        StartRestorePoint(state);
        ASSERT_TRUE(WorkerEnded());
        PollRestorePoint(state);
        EXPECT_EQ(Log().back(), c.line);
        EXPECT_EQ(state.LogEntries.back().kind, LogKind::Warning);
        EXPECT_FALSE(state.RestorePointCreated);
        EXPECT_FALSE(sim::FileContent(StatePath()).has_value());
    }
}

TEST_F(RestorePointTest, WithoutTheQueryAnAcceptedRequestCountsAsCreated) {
    {
        std::lock_guard lock(Points().mutex);
        Points().queryError = 0x80041010;  // WBEM_E_INVALID_CLASS
        Points().highest = 7;
        Points().recentPointExists = true;
    }
    EXPECT_EQ(CreateRestorePoint(u"Quillfarrow Optimizer"), RestorePointOutcome::Created);
}

TEST_F(RestorePointTest, AWorkerThatCannotStartGivesTheButtonBackAndReportsADenial) {
    sim::machine().threads.startError = 8;  // ERROR_NOT_ENOUGH_MEMORY
    StartRestorePoint(state);
    EXPECT_FALSE(RestorePointBusy.load());
    PollRestorePoint(state);
    EXPECT_EQ(Log(), (std::vector<std::string>{"restore point in progress...",
                                               "point denied (system protection disabled?)"}));
}

}  // namespace
