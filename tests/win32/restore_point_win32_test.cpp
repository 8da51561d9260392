// The restore-point request against the real system (Wine's), which has no System Restore
// to speak of: the request must come back, refused or not, and never hang the worker.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "actions/restore_point.h"

namespace {

TEST(RestorePointWin32, ARequestComesBackWithinTenSeconds) {
    const auto start = std::chrono::steady_clock::now();
    const RestorePointOutcome outcome = CreateRestorePoint(u"Quillfarrow Optimizer test");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(10));
    RecordProperty("outcome", static_cast<int>(outcome));
    std::printf("restore point outcome: %d\n", static_cast<int>(outcome));
}

}  // namespace
