// Switching the power scheme and back, on the simulated power schemes.
#include <gtest/gtest.h>

#include "actions/power.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

const platform::Guid kBalanced = {
    0x381b4222, 0xf694, 0x41f0, {0x96, 0x85, 0xff, 0x5b, 0xb2, 0x60, 0xdf, 0x2e}};
const platform::Guid kUltimate = {
    0xe9a42b02, 0xd5df, 0x448d, {0xaa, 0x00, 0x03, 0xf1, 0x47, 0x49, 0xeb, 0x61}};
const platform::Guid kHigh = {
    0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}};
const platform::Guid kSaver = {
    0xa1841308, 0x3541, 0x4fab, {0xbc, 0x81, 0xf7, 0x15, 0x56, 0xf2, 0x0b, 0x4a}};

class PowerTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::TheMachine().power.installed = {kBalanced, kUltimate, kHigh, kSaver};
        sim::TheMachine().power.active = kBalanced;
    }
    static std::vector<std::u16string> Commands() {
        std::vector<std::u16string> lines;
        for (const auto& run : sim::TheMachine().processes.runs)
            lines.push_back(run.commandLine);
        return lines;
    }
    AppState state;
};

TEST_F(PowerTest, ApplyRemembersTheSchemeAndRevertReturnsToIt) {
    EXPECT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    EXPECT_EQ(sim::TheMachine().power.active, kUltimate);
    EXPECT_EQ(state.BackupStore.at("powerplan.prev"), "{381B4222-F694-41F0-9685-FF5BB260DF2E}");
    const PowerPlanRestore restored = RestorePowerPlan(state, "powerplan");
    EXPECT_TRUE(restored.result.Ok());
    EXPECT_FALSE(restored.balancedInstead);
    EXPECT_EQ(sim::TheMachine().power.active, kBalanced);
    EXPECT_TRUE(Commands().empty());
    // The action only reads the memory; the revert's bookkeeping takes it away.
    EXPECT_EQ(state.BackupStore.count("powerplan.prev"), 1u);
}

TEST_F(PowerTest, WithoutUltimatePerformanceHighPerformanceIsTaken) {
    sim::TheMachine().power.installed = {kBalanced, kHigh};
    EXPECT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    EXPECT_EQ(sim::TheMachine().power.active, kHigh);
}

TEST_F(PowerTest, WhenNeitherCanBeActivatedTheCommandDecides) {
    sim::TheMachine().power.setDenied = true;
    EXPECT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /setactive SCHEME_MIN"});
    sim::TheMachine().processes.defaultExitCode = 1;
    // The first refusal is the reason: no rights for Ultimate Performance.
    EXPECT_EQ(ApplyPowerPlan(state, "powerplan").Reason(),
              Refusal::Call("PowerSetActiveScheme", 5));
}

TEST_F(PowerTest, ADeletedSchemeIsRevertedToBalancedByCommand) {
    sim::TheMachine().power.active = kSaver;
    ASSERT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    sim::TheMachine().power.installed = {kBalanced, kUltimate, kHigh};
    const PowerPlanRestore restored = RestorePowerPlan(state, "powerplan");
    EXPECT_TRUE(restored.result.Ok());
    EXPECT_TRUE(restored.balancedInstead);
    EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /setactive SCHEME_BALANCED"});
    // With the command refused too, the reason is the scheme that was not there.
    sim::TheMachine().processes.defaultExitCode = 1;
    EXPECT_EQ(RestorePowerPlan(state, "powerplan").result.Reason(),
              Refusal::Call("PowerSetActiveScheme", 2));
}

TEST_F(PowerTest, TheSecondApplyRemembersTheSchemeActiveThen) {
    ASSERT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    ASSERT_TRUE(RestorePowerPlan(state, "powerplan").result.Ok());
    sim::TheMachine().power.active = kSaver;
    ASSERT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    EXPECT_EQ(state.BackupStore.at("powerplan.prev"), "{A1841308-3541-4FAB-BC81-F71556F20B4A}");
}

TEST_F(PowerTest, AnUnreadableActiveSchemeForgetsAnEarlierMemory) {
    // A memory from an apply before, stale now: the user has chosen Balanced since.
    state.BackupStore["powerplan.prev"] = "{A1841308-3541-4FAB-BC81-F71556F20B4A}";
    sim::TheMachine().power.readFails = true;
    EXPECT_TRUE(ApplyPowerPlan(state, "powerplan").Ok());
    EXPECT_EQ(state.BackupStore.count("powerplan.prev"), 0u);
    const PowerPlanRestore restored = RestorePowerPlan(state, "powerplan");
    EXPECT_TRUE(restored.result.Ok());
    EXPECT_TRUE(restored.balancedInstead);
    EXPECT_NE(sim::TheMachine().power.active, kSaver);
    EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /setactive SCHEME_BALANCED"});
}

TEST_F(PowerTest, NothingUsableRememberedFallsBackToBalanced) {
    for (const char* remembered : {"", "not a guid", "{381B4222-F694-41F0-9685-FF5BB260DF2}"}) {
        sim::TheMachine().processes.runs.clear();
        state.BackupStore["powerplan.prev"] = remembered;
        const PowerPlanRestore restored = RestorePowerPlan(state, "powerplan");
        EXPECT_TRUE(restored.result.Ok()) << remembered;
        EXPECT_TRUE(restored.balancedInstead) << remembered;
        EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /setactive SCHEME_BALANCED"});
    }
    state.BackupStore.clear();
    sim::TheMachine().processes.runs.clear();
    EXPECT_TRUE(RestorePowerPlan(state, "powerplan").result.Ok());
    EXPECT_EQ(Commands().size(), 1u);
}

}  // namespace
