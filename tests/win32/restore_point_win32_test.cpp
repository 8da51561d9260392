// The restore-point worker against the real system. Wine has no System Restore: its
// SRSetRestorePointW refuses every request, so there the worker must hand over a refusal,
// and never hang.
#include <gtest/gtest.h>

#include <windows.h>

#include "actions/restore_point.h"
#include "support/test_platform.h"

namespace {

// Polls until the worker has cleared the busy flag, which it does last, or the deadline.
bool WorkerEndsWithin(ULONGLONG milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (RestorePointBusy.load()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(5);
    }
    return true;
}

TEST(RestorePointWin32, TheWorkerHandsOverItsOutcomeWithinTenSecondsARefusalUnderWine) {
    RestorePointBusy.store(false);
    RestorePointStatus.store(RestorePointOutcome::None);
    ASSERT_TRUE(StartRestorePointWorker());
    ASSERT_TRUE(WorkerEndsWithin(10000)) << "the worker still ran after 10 s";
    const RestorePointReport report = RestorePointStatus.exchange(RestorePointOutcome::None);
    if (RunningUnderWine()) {
        EXPECT_EQ(report.outcome, RestorePointOutcome::Failed) << static_cast<int>(report.outcome);
        // The refusal names the call and the code it gave.
        const Result result = report.AsResult();
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.Reason()->What(), "SRSetRestorePointW");
        EXPECT_NE(result.Reason()->Code(), 0u);
    } else {
        // On Windows the outcome depends on the machine's system protection and rights.
        EXPECT_NE(report.outcome, RestorePointOutcome::None);
        EXPECT_NE(report.outcome, RestorePointOutcome::NotStarted);
    }
}

}  // namespace
