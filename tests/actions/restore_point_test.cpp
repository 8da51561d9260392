// The restore-point worker on the simulated System Restore, and the engine's operations
// that start it and take its report.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

#include "actions/restore_point.h"
#include "engine/operations.h"
#include "state/state_file.h"
#include "support/refusal_print.h"
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
    static sim::RestorePoints& Points() { return sim::TheRestorePoints(); }
    AppState state;
};

TEST_F(RestorePointTest, TwoQuickClicksStartOneWorkerAndACreatedPointIsSaved) {
    {
        // The worker waits for the simulated system while both clicks land.
        std::lock_guard lock(Points().mutex);
        RequestRestorePoint(state);
        RequestRestorePoint(state);
    }
    ASSERT_TRUE(WorkerEnded());
    EXPECT_EQ(sim::TheMachine().threads.started, 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"restore point in progress..."}));
    {
        std::lock_guard lock(Points().mutex);
        EXPECT_EQ(Points().descriptions, (std::vector<std::u16string>{u"Quillfarrow Optimizer"}));
        EXPECT_EQ(Points().apartmentsAtRequest, 1);  // inside the worker's COM apartment
        EXPECT_EQ(Points().apartments, 0);           // and left again
    }
    EXPECT_FALSE(state.RestorePointCreated);  // only the take records it
    const Outcome taken = TakeRestorePointResult(state);
    EXPECT_TRUE(taken.Ok());
    EXPECT_TRUE(state.RestorePointCreated);
    EXPECT_EQ(Log().back(), "restore point created");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(state.LogEntries.back().reason, "");
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(state));
    // A take with nothing new changes nothing.
    EXPECT_TRUE(TakeRestorePointResult(state).Ok());
    EXPECT_EQ(state.LogEntries.size(), 2u);
}

struct Denial {
    const char* name;
    void (*set)(sim::RestorePoints&);
    RestorePointOutcome outcome;
    const char* line;
    std::optional<Refusal> refused;
    const char* reason;
};

TEST_F(RestorePointTest, ACreatedPointIsRecordedWhenTheNextRequestComesBeforeTheTake) {
    RequestRestorePoint(state);
    ASSERT_TRUE(WorkerEnded());
    // Clicked again before the main loop took the report; this time the system skips.
    {
        std::lock_guard lock(Points().mutex);
        Points().recentPointExists = true;
    }
    RequestRestorePoint(state);
    ASSERT_TRUE(WorkerEnded());
    static_cast<void>(TakeRestorePointResult(state));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"restore point in progress...", "restore point created",
                                        "restore point in progress...",
                                        "point skipped (one exists from the last 24 hours)"}));
    EXPECT_TRUE(state.RestorePointCreated);
    EXPECT_EQ(sim::FileContent(StatePath()), EncodeState(state));
}

TEST_F(RestorePointTest, RefusalsAndSkipsAreLoggedAsWarningsAndNotRecorded) {
    const Denial cases[] = {
        {"system protection off", [](sim::RestorePoints& p) { p.refusal = 1058; },
         RestorePointOutcome::Failed, "point denied (system protection disabled?)",
         Refusal::Call("SRSetRestorePointW", 1058), "SRSetRestorePointW: error 1058"},
        {"a point from the last day",
         [](sim::RestorePoints& p) {
             p.highest = 41;
             p.recentPointExists = true;
         },
         RestorePointOutcome::Skipped, "point skipped (one exists from the last 24 hours)",
         std::nullopt, ""},
    };
    for (const Denial& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        {
            std::lock_guard lock(Points().mutex);
            c.set(Points());
        }
        const RestorePointReport report = CreateRestorePoint(u"Quillfarrow Optimizer");
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_EQ(report.AsResult().Reason(), c.refused);
        RequestRestorePoint(state);
        ASSERT_TRUE(WorkerEnded());
        const Outcome taken = TakeRestorePointResult(state);
        EXPECT_EQ(taken.refused, c.refused);
        EXPECT_TRUE(taken.changed.empty());
        EXPECT_EQ(Log().back(), c.line);
        EXPECT_EQ(state.LogEntries.back().kind, LogKind::Warning);
        EXPECT_EQ(state.LogEntries.back().reason, c.reason);
        EXPECT_FALSE(state.RestorePointCreated);
        EXPECT_FALSE(sim::FileContent(StatePath()).has_value());
    }
}

TEST_F(RestorePointTest, ACreatedPointThatCannotBeSavedSaysWhyAndStaysRecordedInMemory) {
    sim::TheMachine().fileFaults.moveError = platform::kErrorAccessDenied;
    RequestRestorePoint(state);
    ASSERT_TRUE(WorkerEnded());
    const Outcome taken = TakeRestorePointResult(state);
    EXPECT_EQ(taken.saved.Reason(), Refusal::Call("MoveFileExW", 5));
    EXPECT_FALSE(taken.Ok());
    EXPECT_TRUE(state.RestorePointCreated);
    EXPECT_EQ(Log().back(), "restore point created");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(state.LogEntries.back().reason, "state file not saved: MoveFileExW: error 5");
    EXPECT_FALSE(sim::FileContent(StatePath()).has_value());
}

TEST_F(RestorePointTest, WithoutTheQueryAnAcceptedRequestCountsAsCreated) {
    {
        std::lock_guard lock(Points().mutex);
        Points().queryError = 0x80041010;  // WBEM_E_INVALID_CLASS
        Points().highest = 7;
        Points().recentPointExists = true;
    }
    EXPECT_EQ(CreateRestorePoint(u"Quillfarrow Optimizer").outcome, RestorePointOutcome::Created);
}

TEST_F(RestorePointTest, AWorkerThatCannotStartGivesTheButtonBackAndReportsADenial) {
    sim::TheMachine().threads.startError = 8;  // ERROR_NOT_ENOUGH_MEMORY
    RequestRestorePoint(state);
    EXPECT_FALSE(RestorePointBusy.load());
    const Outcome taken = TakeRestorePointResult(state);
    EXPECT_EQ(taken.refused, Refusal::Call("CreateThread", 8));
    EXPECT_EQ(Log(), (std::vector<std::string>{"restore point in progress...",
                                               "point denied (system protection disabled?)"}));
    EXPECT_EQ(state.LogEntries.back().reason, "CreateThread: error 8");
}

}  // namespace
