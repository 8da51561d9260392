// Applying and reverting tweaks on the simulated machine: exact undo, rollback of a failed
// apply, the log lines and the state file.
#include <gtest/gtest.h>

#include <random>

#include "actions/command_runner.h"
#include "actions/timer_holder.h"
#include "engine/engine_fixture.h"
#include "platform/pointer.h"
#include "support/bytes.h"
#include "support/state_matchers.h"

namespace {

sim::Bytes Expected(const RegistryWrite& write) {
    switch (write.type) {
        case platform::kRegDword:
            return {static_cast<std::uint8_t>(write.dword),
                    static_cast<std::uint8_t>(write.dword >> 8),
                    static_cast<std::uint8_t>(write.dword >> 16),
                    static_cast<std::uint8_t>(write.dword >> 24)};
        case platform::kRegSz:
            return RegSz(write.text);
        default:
            return sim::Bytes(write.bytes.begin(), write.bytes.end());
    }
}

// A prior state for each value, rotating through the kinds a machine may hold.
std::optional<sim::RegistryValue> Prior(std::size_t n) {
    switch (n % 6) {
        case 0:
            return std::nullopt;
        case 1:
            return sim::RegistryValue{platform::kRegDword, {7, 0, 0, 0}};
        case 2:
            return sim::RegistryValue{platform::kRegSz, RegSz(u"prior")};
        case 3:
            return sim::RegistryValue{platform::kRegBinary, {1, 2, 3}};
        case 4:
            return sim::RegistryValue{platform::kRegBinary, {}};
        default:
            return sim::RegistryValue{11, {9, 9, 9, 9, 9, 9, 9, 9}};  // REG_QWORD
    }
}

TEST_F(EngineTest, EveryRegistryTweakIsUndoneExactly) {
    std::size_t rotation = 0;
    for (const TweakPlan& plan : kTweakPlans) {
        if (plan.action != TweakAction::RegistryWrites && plan.action != TweakAction::PointerWrites)
            continue;
        SCOPED_TRACE(std::string(plan.id));
        std::vector<std::optional<sim::RegistryValue>> before;
        for (const RegistryWrite& write : plan.writes) {
            before.push_back(Prior(rotation++));
            if (before.back())
                Put(write, before.back()->type, before.back()->data);
        }
        ASSERT_TRUE(ApplyTweak(state, plan.id).Ok());
        for (const RegistryWrite& write : plan.writes) {
            EXPECT_EQ(Value(write), (sim::RegistryValue{write.type, Expected(write)}));
        }
        EXPECT_EQ(state.RegistryBackups.at(std::string(plan.id)).size(), plan.writes.size());
        ASSERT_TRUE(RevertTweak(state, plan.id).Ok());
        for (std::size_t i = 0; i < plan.writes.size(); ++i)
            EXPECT_EQ(Value(plan.writes[i]), before[i]);
        EXPECT_FALSE(IsApplied(state, plan.id));
        EXPECT_EQ(state.RegistryBackups.count(std::string(plan.id)), 0u);
    }
}

TEST_F(EngineTest, MenuDelayAppliesLogsSavesAndRevertsInReverse) {
    const Outcome applied = ApplyTweak(state, "menudelay");
    ASSERT_TRUE(applied.Ok());
    EXPECT_EQ(applied.changed, std::vector<std::string>{"menudelay"});
    const auto& captures = state.RegistryBackups.at("menudelay");
    ASSERT_EQ(captures.size(), 3u);
    EXPECT_EQ(captures[0].valueName, u"MenuShowDelay");
    EXPECT_EQ(captures[2].valueName, u"WaitToKillAppTimeout");
    EXPECT_EQ(Log(), (std::vector<std::string>{"applied  Menu delays"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(state.LogEntries.back().reason, "");
    EXPECT_EQ(StateFile(), EncodeState(state));

    // Already applied: nothing written, captured, saved or logged.
    sim::TheMachine().fileSystem.files.clear();
    const Outcome again = ApplyTweak(state, "menudelay");
    EXPECT_TRUE(again.Ok());
    EXPECT_TRUE(again.changed.empty());
    EXPECT_EQ(state.RegistryBackups.at("menudelay").size(), 3u);
    EXPECT_FALSE(StateFile().has_value());
    EXPECT_EQ(state.LogEntries.size(), 1u);

    const Outcome reverted = RevertTweak(state, "menudelay");
    ASSERT_TRUE(reverted.Ok());
    EXPECT_EQ(reverted.changed, std::vector<std::string>{"menudelay"});
    EXPECT_EQ(Log().back(), "reverted  Menu delays");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Info);
    EXPECT_EQ(StateFile(), EncodeState(state));
    // Not applied: done, silent.
    const Outcome notApplied = RevertTweak(state, "menudelay");
    EXPECT_TRUE(notApplied.Ok());
    EXPECT_TRUE(notApplied.changed.empty());
    EXPECT_EQ(state.LogEntries.size(), 2u);
    // Not in the catalog: failed, silent.
    EXPECT_EQ(ApplyTweak(state, "MenuDelay").failed,
              (std::vector<TweakFailure>{{"MenuDelay", Refusal::Own("not in the catalog")}}));
    EXPECT_EQ(RevertTweak(state, "menudelay ").failed,
              (std::vector<TweakFailure>{{"menudelay ", Refusal::Own("not in the catalog")}}));
    EXPECT_EQ(state.LogEntries.size(), 2u);
}

TEST_F(EngineTest, AFailedApplyPutsBackWhatItChangedAndKeepsNothing) {
    const RegistryWrite& hkcu = Plan("gamedvr").writes[0];
    Put(hkcu, platform::kRegDword, {5, 0, 0, 0});
    // An older capture of another run, for a tweak that is not applied, is not touched.
    state.RegistryBackups["gamedvr"] = {{RegistryRoot::CurrentUser,
                                         std::u16string(hkcu.key),
                                         std::u16string(hkcu.value),
                                         true,
                                         4,
                                         {9, 0, 0, 0}}};
    WithoutRights();
    const Outcome outcome = ApplyTweak(state, "gamedvr");
    EXPECT_TRUE(outcome.changed.empty());
    // The HKLM policy key refuses to be created for writing.
    EXPECT_EQ(outcome.failed,
              (std::vector<TweakFailure>{{"gamedvr", Refusal::Call("RegCreateKeyExW", 5)}}));
    EXPECT_EQ(Value(hkcu), (sim::RegistryValue{platform::kRegDword, {5, 0, 0, 0}}));
    EXPECT_FALSE(IsApplied(state, "gamedvr"));
    EXPECT_EQ(state.RegistryBackups.count("gamedvr"), 0u);
    EXPECT_EQ(Log(), (std::vector<std::string>{"failed  Game DVR"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Error);
    EXPECT_FALSE(StateFile().has_value());
}

TEST_F(EngineTest, AFailedApplyWhoseRollbackIsRefusedStaysAppliedWithItsCaptures) {
    const RegistryWrite& hkcu = Plan("gamedvr").writes[0];
    // The HKLM write is refused; the HKCU value, absent before, was written and cannot be
    // deleted again.
    WithoutRights();
    sim::TheMachine().registryFaults.deleteDenied.insert(Path(hkcu));
    const Outcome outcome = ApplyTweak(state, "gamedvr");
    EXPECT_TRUE(outcome.changed.empty());
    EXPECT_EQ(outcome.failed,
              (std::vector<TweakFailure>{{"gamedvr", Refusal::Call("RegCreateKeyExW", 5)}}));
    EXPECT_EQ(Log(), (std::vector<std::string>{"failed  Game DVR"}));
    EXPECT_TRUE(Value(hkcu).has_value());
    // Kept, in memory and on disk, so that the revert can still put the value back.
    EXPECT_TRUE(IsApplied(state, "gamedvr"));
    // Both values were read before the refused write: the HKCU one and the HKLM one.
    ASSERT_EQ(state.RegistryBackups["gamedvr"].size(), 2u);
    EXPECT_FALSE(state.RegistryBackups["gamedvr"][0].existed);
    EXPECT_EQ(state.RegistryBackups["gamedvr"][0].valueName, hkcu.value);
    AppState loaded;
    LoadState(loaded);
    EXPECT_TRUE(IsApplied(loaded, "gamedvr"));
    EXPECT_EQ(loaded.RegistryBackups, state.RegistryBackups);

    WithRights();
    sim::TheMachine().registryFaults.deleteDenied.clear();
    EXPECT_TRUE(RevertTweak(loaded, "gamedvr").Ok());
    EXPECT_FALSE(Value(hkcu).has_value());
    EXPECT_FALSE(IsApplied(loaded, "gamedvr"));
}

TEST_F(EngineTest, APowerPlanRevertUsesItsMemoryOnceAndSaysWhenItFallsBack) {
    const platform::Guid balanced = {
        0x381b4222, 0xf694, 0x41f0, {0x96, 0x85, 0xff, 0x5b, 0xb2, 0x60, 0xdf, 0x2e}};
    const platform::Guid high = {
        0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}};
    sim::TheMachine().power.installed = {balanced, high};
    sim::TheMachine().power.active = balanced;
    ASSERT_TRUE(ApplyTweak(state, "powerplan").Ok());
    ASSERT_EQ(state.BackupStore.count("powerplan.prev"), 1u);
    ASSERT_TRUE(RevertTweak(state, "powerplan").Ok());
    EXPECT_EQ(sim::TheMachine().power.active, balanced);
    // Used, the memory goes, in memory and on disk.
    EXPECT_EQ(state.BackupStore.count("powerplan.prev"), 0u);
    AppState loaded;
    LoadState(loaded);
    EXPECT_EQ(loaded.BackupStore.count("powerplan.prev"), 0u);

    // The active plan cannot be read: no memory, and the revert says it chose Balanced.
    sim::TheMachine().power.readFails = true;
    ASSERT_TRUE(ApplyTweak(state, "powerplan").Ok());
    EXPECT_EQ(state.BackupStore.count("powerplan.prev"), 0u);
    ASSERT_TRUE(RevertTweak(state, "powerplan").Ok());
    EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /setactive SCHEME_BALANCED"});
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"applied  High performance", "reverted  High performance",
                                        "applied  High performance",
                                        "power plan: the plan before is gone, Balanced set instead",
                                        "reverted  High performance"}));
    EXPECT_EQ(state.LogEntries[3].kind, LogKind::Warning);
}

TEST_F(EngineTest, HibernationComesBackOnlyWhenItWasOn) {
    struct Case {
        const char* seeded;
        std::optional<sim::RegistryValue> hibernateEnabled;
        std::vector<std::u16string> revertCommands;
    };
    const std::vector<std::u16string> on = {u"powercfg /h on"};
    const Case cases[] = {
        {"off", sim::RegistryValue{platform::kRegDword, {0, 0, 0, 0}}, {}},
        {"on", sim::RegistryValue{platform::kRegDword, {1, 0, 0, 0}}, on},
        // Nothing known: turned on, as an earlier version's state file asks.
        {"absent", std::nullopt, on},
        {"not a DWORD", sim::RegistryValue{platform::kRegSz, {'0', 0, 0, 0}}, on},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seeded);
        SetUp();
        state = AppState{};
        if (c.hibernateEnabled) {
            sim::PutRegistryValue(platform::kHkeyLocalMachine,
                                  u"SYSTEM\\CurrentControlSet\\Control\\Power", u"HibernateEnabled",
                                  c.hibernateEnabled->type, c.hibernateEnabled->data);
        }
        ASSERT_TRUE(ApplyTweak(state, "hibernate").Ok());
        EXPECT_EQ(Commands(), std::vector<std::u16string>{u"powercfg /h off"});
        sim::TheMachine().processes.runs.clear();
        AppState loaded;
        LoadState(loaded);
        ASSERT_TRUE(RevertTweak(loaded, "hibernate").Ok());
        EXPECT_EQ(Commands(), c.revertCommands);
        EXPECT_EQ(loaded.BackupStore.count("hibernate.was"), 0u);
        EXPECT_EQ(loaded.LogEntries.back().message, "reverted  Hibernation");
    }
}

TEST_F(EngineTest, TheActionChangesOnlyTheMachineAndItsRecordWritesNoLine) {
    const RegistryWrite& first = Plan("fso").writes[0];
    state.BackupStore["kept"] = "as it was";
    const AppState before = state;
    TweakChange change = RunApply(state, "fso");
    EXPECT_TRUE(change.result.Ok());
    // The machine changed, the state given did not.
    EXPECT_EQ(Value(first), (sim::RegistryValue{first.type, Expected(first)}));
    EXPECT_TRUE(SamePersisted(state, before));
    EXPECT_EQ(change.registryCaptures.size(), Plan("fso").writes.size());
    EXPECT_FALSE(StateFile().has_value());

    Outcome outcome;
    Record(state, std::move(change), outcome);
    EXPECT_TRUE(IsApplied(state, "fso"));
    EXPECT_EQ(state.RegistryBackups.at("fso").size(), Plan("fso").writes.size());
    EXPECT_EQ(state.BackupStore.at("kept"), "as it was");
    EXPECT_EQ(StateFile(), EncodeState(state));

    WithoutRights();
    const AppState applied = state;
    const TweakChange refused = RunApply(state, "hags");
    EXPECT_EQ(refused.result.Reason(), Refusal::Call("RegCreateKeyExW", 5));
    Record(state, refused, outcome);
    EXPECT_TRUE(SamePersisted(state, applied));
    EXPECT_EQ(StateFile(), EncodeState(applied));

    WithRights();
    change = RunRevert(state, "fso");
    EXPECT_TRUE(change.result.Ok());
    EXPECT_FALSE(Value(first).has_value());
    EXPECT_TRUE(IsApplied(state, "fso"));
    Record(state, std::move(change), outcome);
    EXPECT_FALSE(IsApplied(state, "fso"));
    EXPECT_EQ(state.RegistryBackups.count("fso"), 0u);
    EXPECT_EQ(StateFile(), EncodeState(state));

    EXPECT_EQ(outcome.changed, std::vector<std::string>{"fso"});
    EXPECT_EQ(outcome.failed,
              (std::vector<TweakFailure>{{"hags", Refusal::Call("RegCreateKeyExW", 5)}}));
    EXPECT_TRUE(state.LogEntries.empty());
    EXPECT_TRUE(state.LastMessage.empty());
}

class EngineServicesTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        auto& services = sim::TheMachine().serviceManager.services;
        services[u"DiagTrack"] = {2, true, 0, false};
        services[u"MapsBroker"] = {2, true, 0, false};
        services[u"RemoteRegistry"] = {4, false, 0, false};
        services[u"RetailDemo"] = {3, false, 0, false};
        services[u"Fax"] = {3, false, 0, false};
        // dmwappushservice and WMPNetworkSvc are not installed.
    }
    static sim::Service& Service(const char16_t* name) {
        return sim::TheMachine().serviceManager.services.at(name);
    }
};

TEST_F(EngineServicesTest, DiagTrackIgnoresAMissingPushService) {
    ASSERT_TRUE(ApplyTweak(state, "diagtrack").Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);
    EXPECT_FALSE(Service(u"DiagTrack").running);
    EXPECT_EQ(
        state.ServiceBackups.at("diagtrack"),
        (std::vector<ServiceCapture>{{u"DiagTrack", true, 2}, {u"dmwappushservice", false, 0}}));
    ASSERT_TRUE(RevertTweak(state, "diagtrack").Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
    EXPECT_TRUE(Service(u"DiagTrack").running);  // it started automatically before
}

TEST_F(EngineServicesTest, SidecarServicesCaptureAllAndChangeOnlyThoseStillEnabled) {
    ASSERT_TRUE(ApplyTweak(state, "debloat-services").Ok());
    EXPECT_EQ(state.ServiceBackups.at("debloat-services"),
              (std::vector<ServiceCapture>{{u"MapsBroker", true, 2},
                                           {u"RemoteRegistry", true, 4},
                                           {u"RetailDemo", true, 3},
                                           {u"WMPNetworkSvc", false, 0},
                                           {u"Fax", true, 3}}));
    const auto& calls = sim::TheMachine().serviceManager.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "set RemoteRegistry 4"), 0);
    EXPECT_EQ(Service(u"MapsBroker").startType, 4u);
    EXPECT_EQ(Service(u"Fax").startType, 4u);

    ASSERT_TRUE(RevertTweak(state, "debloat-services").Ok());
    EXPECT_EQ(Service(u"MapsBroker").startType, 2u);
    EXPECT_TRUE(Service(u"MapsBroker").running);
    EXPECT_EQ(Service(u"RetailDemo").startType, 3u);
    EXPECT_FALSE(Service(u"RetailDemo").running);
    EXPECT_EQ(Service(u"RemoteRegistry").startType, 4u);
}

TEST_F(EngineServicesTest, ARevertWithoutRightsKeepsEverythingAndALaterOneSucceeds) {
    ASSERT_TRUE(ApplyQuietly(state, "diagtrack").Ok());
    ASSERT_TRUE(ApplyQuietly(state, "telemetry").Ok());
    const AppState applied = state;
    WithoutRights();
    const struct {
        const char* id;
        Refusal refusal;
    } rows[] = {
        {"diagtrack", Refusal::Call("OpenServiceW", 5)},
        // The value the apply created cannot be deleted.
        {"telemetry", Refusal::Call("RegOpenKeyExW", 5)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(RevertTweak(state, row.id).failed,
                  (std::vector<TweakFailure>{{row.id, row.refusal}}));
        EXPECT_TRUE(IsApplied(state, row.id));
        EXPECT_EQ(Log().back(), std::string("revert failed  ") + LookupTweak(row.id)->name);
        EXPECT_EQ(state.LogEntries.back().reason, row.refusal.Text());
    }
    EXPECT_TRUE(SamePersisted(state, applied));
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);
    WithRights();
    EXPECT_TRUE(RevertTweak(state, "diagtrack").Ok());
    EXPECT_TRUE(RevertTweak(state, "telemetry").Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
    EXPECT_TRUE(state.AppliedSet.empty());
    EXPECT_TRUE(state.RegistryBackups.empty());
    EXPECT_TRUE(state.ServiceBackups.empty());
}

TEST_F(EngineTest, NagleWritesEveryInterfaceAndNoneWhenThereAreNone) {
    ASSERT_TRUE(ApplyQuietly(state, "nagle").Ok());
    EXPECT_EQ(state.RegistryBackups.count("nagle"), 0u);
    ASSERT_TRUE(RevertQuietly(state, "nagle").Ok());

    const std::u16string interfaces(kTcpipInterfacesKey);
    for (const char16_t* name : {u"{B}", u"{A}", u"{C}"})
        sim::PutRegistryValue(platform::kHkeyLocalMachine, interfaces + u"\\" + name, u"X", 4,
                              {1, 0, 0, 0});
    ASSERT_TRUE(ApplyQuietly(state, "nagle").Ok());
    const auto& captures = state.RegistryBackups.at("nagle");
    ASSERT_EQ(captures.size(), 9u);
    EXPECT_EQ(captures[0].subkey, interfaces + u"\\{A}");
    EXPECT_EQ(captures[3].subkey, interfaces + u"\\{B}");
    EXPECT_EQ(captures[8].valueName, u"TcpDelAckTicks");
    for (const RegistryWrite& write : Plan("nagle").writes)
        EXPECT_EQ(Value(write, u"\\{C}"), (sim::RegistryValue{write.type, Expected(write)}));
    ASSERT_TRUE(RevertQuietly(state, "nagle").Ok());
    for (const RegistryWrite& write : Plan("nagle").writes)
        EXPECT_FALSE(Value(write, u"\\{C}").has_value());
}

TEST_F(EngineTest, PointerSettingsComeBackAsTheyWere) {
    const RegistryWrite* writes = Plan("mouseaccel").writes.data();  // speed, threshold 1, 2
    Put(writes[0], platform::kRegSz, RegSz(u"2"));
    Put(writes[1], platform::kRegSz, RegSz(u"7"));
    sim::TheMachine().pointer.live = {7, 10, 2};
    ASSERT_TRUE(ApplyTweak(state, "mouseaccel").Ok());
    EXPECT_EQ(sim::TheMachine().pointer.live, (platform::MouseParameters{0, 0, 0}));
    ASSERT_TRUE(RevertTweak(state, "mouseaccel").Ok());
    EXPECT_EQ(Value(writes[0]), (sim::RegistryValue{platform::kRegSz, RegSz(u"2")}));
    EXPECT_EQ(Value(writes[1]), (sim::RegistryValue{platform::kRegSz, RegSz(u"7")}));
    EXPECT_FALSE(Value(writes[2]).has_value());
    EXPECT_EQ(sim::TheMachine().pointer.live, (platform::MouseParameters{7, 10, 2}));
    EXPECT_EQ(sim::TheMachine().pointer.calls.back().flags, platform::kSpifSendChange);
}

TEST_F(EngineTest, CommandTweaksRunTheirExactCommandLines) {
    ASSERT_TRUE(ApplyQuietly(state, "hibernate").Ok());
    ASSERT_TRUE(RevertQuietly(state, "hibernate").Ok());
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{u"powercfg /h off", u"powercfg /h on"}));

    sim::TheMachine().processes.runs.clear();
    ASSERT_TRUE(ApplyTweak(state, "debloat-appx").Ok());
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{AppxRemovalCommand()}));
    EXPECT_TRUE(AppxRemovalCommand().starts_with(
        u"powershell -NoProfile -WindowStyle Hidden -ExecutionPolicy Bypass -Command "
        u"\"$a='Microsoft.BingNews','Microsoft.BingWeather',"));
    EXPECT_TRUE(AppxRemovalCommand().ends_with(
        u"'Clipchamp.Clipchamp','Microsoft.Todos';foreach($n in $a){Get-AppxPackage -AllUsers "
        u"-Name $n|Remove-AppxPackage -AllUsers -ErrorAction SilentlyContinue}\""));
    EXPECT_EQ(RevertTweak(state, "debloat-appx").failed,
              (std::vector<TweakFailure>{{"debloat-appx", Refusal::Own("cannot be undone")}}));
    EXPECT_TRUE(IsApplied(state, "debloat-appx"));
    EXPECT_EQ(Log().back(), "revert failed  Preinstalled apps");

    sim::TheMachine().processes.runs.clear();
    ASSERT_TRUE(ApplyQuietly(state, "debloat-tasks").Ok());
    ASSERT_TRUE(RevertQuietly(state, "debloat-tasks").Ok());
    const std::vector<std::u16string> commands = Commands();
    ASSERT_EQ(commands.size(), 2 * TelemetryTaskList.size());
    for (std::size_t i = 0; i < TelemetryTaskList.size(); ++i) {
        EXPECT_TRUE(commands[i].ends_with(u"/Disable"));
        EXPECT_TRUE(commands[TelemetryTaskList.size() + i].ends_with(u"/Enable"));
    }
}

TEST_F(EngineTest, DnsTakesTheServersOfTheLastChoice) {
    sim::TheMachine().network.adapters = {{"{G}", u"Ethernet", 6, 1}};
    struct Case {
        const char* name;
        std::map<std::string, std::string, std::less<>> store;
        std::u16string primary;
        std::u16string secondary;  // empty: no add command
    };
    const Case cases[] = {
        {"nothing chosen", {}, u"1.1.1.1", u"1.0.0.1"},
        {"empty primary", {{"dns.v4", ""}, {"dns.v4b", "8.8.4.4"}}, u"1.1.1.1", u"8.8.4.4"},
        {"empty secondary", {{"dns.v4", "9.9.9.9"}, {"dns.v4b", ""}}, u"9.9.9.9", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state = AppState{};
        state.BackupStore = c.store;
        sim::TheMachine().processes.runs.clear();
        ASSERT_TRUE(ApplyQuietly(state, "dns").Ok());
        const std::vector<std::u16string> commands = Commands();
        ASSERT_GE(commands.size(), 1u);
        EXPECT_EQ(commands[0], u"netsh interface ipv4 set dnsservers name=\"Ethernet\" static " +
                                   c.primary + u" primary");
        EXPECT_EQ(commands[1] == u"netsh interface ipv4 add dnsservers name=\"Ethernet\" " +
                                     c.secondary + u" index=2",
                  !c.secondary.empty());
    }
}

TEST_F(EngineTest, TheTimerHolderStartsOnceAndStops) {
    ASSERT_TRUE(ApplyQuietly(state, "timerres").Ok());
    EXPECT_TRUE(TimerHolderRunning.load());
    ASSERT_TRUE(RevertQuietly(state, "timerres").Ok());
    EXPECT_FALSE(TimerHolderRunning.load());
    // Not running (the entry point was missing): still reverts.
    sim::TheTimerResolution().available = false;
    ASSERT_TRUE(ApplyQuietly(state, "timerres").Ok());
    ASSERT_TRUE(RevertQuietly(state, "timerres").Ok());
}

}  // namespace
