// The timer-resolution holder with a real thread and the real NtSetTimerResolution.
#include <gtest/gtest.h>

#include <windows.h>

#include "actions/timer_holder.h"

namespace {

TEST(TimerHolderWin32, StartsAndStopsARealHolderThread) {
    ASSERT_TRUE(StartTimerHolder());
    EXPECT_TRUE(TimerHolderRunning.load());
    EXPECT_TRUE(StartTimerHolder());
    Sleep(300);  // let it renew the request at least once
    StopTimerHolder();
    EXPECT_FALSE(TimerHolderRunning.load());
    EXPECT_TRUE(StartTimerHolder());
    StopTimerHolder();
    EXPECT_FALSE(TimerHolderRunning.load());
}

}  // namespace
