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
    for (const TweakPlan& plan : TweakPlans) {
        if (plan.action != TweakAction::RegistryWrites && plan.action != TweakAction::PointerWrites)
            continue;
        SCOPED_TRACE(std::string(plan.id));
        std::vector<std::optional<sim::RegistryValue>> before;
        for (const RegistryWrite& write : plan.writes) {
            before.push_back(Prior(rotation++));
            if (before.back())
                Put(write, before.back()->type, before.back()->data);
        }
        ASSERT_TRUE(ApplyTweak(state, plan.id, false));
        for (const RegistryWrite& write : plan.writes) {
            EXPECT_EQ(Value(write), (sim::RegistryValue{write.type, Expected(write)}));
        }
        EXPECT_EQ(state.RegistryBackups.at(std::string(plan.id)).size(), plan.writes.size());
        ASSERT_TRUE(RevertTweak(state, plan.id, false));
        for (std::size_t i = 0; i < plan.writes.size(); ++i)
            EXPECT_EQ(Value(plan.writes[i]), before[i]);
        EXPECT_FALSE(IsApplied(state, plan.id));
        EXPECT_EQ(state.RegistryBackups.count(std::string(plan.id)), 0u);
    }
}

TEST_F(EngineTest, MenuDelayAppliesLogsSavesAndRevertsInReverse) {
    ASSERT_TRUE(ApplyTweak(state, "menudelay", false));
    const auto& captures = state.RegistryBackups.at("menudelay");
    ASSERT_EQ(captures.size(), 3u);
    EXPECT_EQ(captures[0].valueName, u"MenuShowDelay");
    EXPECT_EQ(captures[2].valueName, u"WaitToKillAppTimeout");
    EXPECT_EQ(Log(), (std::vector<std::string>{"applied  Menu delays"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(StateFile(), EncodeState(state));

    // Already applied: nothing written, captured, saved or logged.
    sim::machine().fileSystem.files.clear();
    EXPECT_TRUE(ApplyTweak(state, "menudelay", false));
    EXPECT_EQ(state.RegistryBackups.at("menudelay").size(), 3u);
    EXPECT_FALSE(StateFile().has_value());
    EXPECT_EQ(state.LogEntries.size(), 1u);

    ASSERT_TRUE(RevertTweak(state, "menudelay", false));
    EXPECT_EQ(Log().back(), "reverted  Menu delays");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Info);
    EXPECT_EQ(StateFile(), EncodeState(state));
    // Not applied: true, silent.
    EXPECT_TRUE(RevertTweak(state, "menudelay", false));
    EXPECT_EQ(state.LogEntries.size(), 2u);
    EXPECT_FALSE(ApplyTweak(state, "MenuDelay", false));
    EXPECT_FALSE(RevertTweak(state, "menudelay ", false));
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
    EXPECT_FALSE(ApplyTweak(state, "gamedvr", false));
    EXPECT_EQ(Value(hkcu), (sim::RegistryValue{platform::kRegDword, {5, 0, 0, 0}}));
    EXPECT_FALSE(IsApplied(state, "gamedvr"));
    EXPECT_EQ(state.RegistryBackups.count("gamedvr"), 0u);
    EXPECT_EQ(Log(), (std::vector<std::string>{"failed  Game DVR"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Error);
    EXPECT_FALSE(StateFile().has_value());
}

TEST_F(EngineTest, QuietChangesTheStateAndTheFileButLogsNothing) {
    ASSERT_TRUE(ApplyTweak(state, "fso", true));
    EXPECT_TRUE(IsApplied(state, "fso"));
    EXPECT_EQ(StateFile(), EncodeState(state));
    WithoutRights();
    EXPECT_FALSE(ApplyTweak(state, "hags", true));
    ASSERT_TRUE(RevertTweak(state, "fso", true));
    EXPECT_EQ(StateFile(), EncodeState(state));
    EXPECT_TRUE(state.LogEntries.empty());
    EXPECT_TRUE(state.LastMessage.empty());
}

class EngineServicesTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        auto& services = sim::machine().serviceManager.services;
        services[u"DiagTrack"] = {2, true, 0, false};
        services[u"MapsBroker"] = {2, true, 0, false};
        services[u"RemoteRegistry"] = {4, false, 0, false};
        services[u"RetailDemo"] = {3, false, 0, false};
        services[u"Fax"] = {3, false, 0, false};
        // dmwappushservice and WMPNetworkSvc are not installed.
    }
    static sim::Service& Service(const char16_t* name) {
        return sim::machine().serviceManager.services.at(name);
    }
};

TEST_F(EngineServicesTest, DiagTrackIgnoresAMissingPushService) {
    ASSERT_TRUE(ApplyTweak(state, "diagtrack", false));
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);
    EXPECT_FALSE(Service(u"DiagTrack").running);
    EXPECT_EQ(
        state.ServiceBackups.at("diagtrack"),
        (std::vector<ServiceCapture>{{u"DiagTrack", true, 2}, {u"dmwappushservice", false, 0}}));
    ASSERT_TRUE(RevertTweak(state, "diagtrack", false));
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
    EXPECT_TRUE(Service(u"DiagTrack").running);  // it started automatically before
}

TEST_F(EngineServicesTest, SidecarServicesCaptureAllAndChangeOnlyThoseStillEnabled) {
    ASSERT_TRUE(ApplyTweak(state, "debloat-services", false));
    EXPECT_EQ(state.ServiceBackups.at("debloat-services"),
              (std::vector<ServiceCapture>{{u"MapsBroker", true, 2},
                                           {u"RemoteRegistry", true, 4},
                                           {u"RetailDemo", true, 3},
                                           {u"WMPNetworkSvc", false, 0},
                                           {u"Fax", true, 3}}));
    const auto& calls = sim::machine().serviceManager.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "set RemoteRegistry 4"), 0);
    EXPECT_EQ(Service(u"MapsBroker").startType, 4u);
    EXPECT_EQ(Service(u"Fax").startType, 4u);

    ASSERT_TRUE(RevertTweak(state, "debloat-services", false));
    EXPECT_EQ(Service(u"MapsBroker").startType, 2u);
    EXPECT_TRUE(Service(u"MapsBroker").running);
    EXPECT_EQ(Service(u"RetailDemo").startType, 3u);
    EXPECT_FALSE(Service(u"RetailDemo").running);
    EXPECT_EQ(Service(u"RemoteRegistry").startType, 4u);
}

TEST_F(EngineServicesTest, ARevertWithoutRightsKeepsEverythingAndALaterOneSucceeds) {
    ASSERT_TRUE(ApplyTweak(state, "diagtrack", true));
    ASSERT_TRUE(ApplyTweak(state, "telemetry", true));
    const AppState applied = state;
    WithoutRights();
    for (const char* id : {"diagtrack", "telemetry"}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(RevertTweak(state, id, false));
        EXPECT_TRUE(IsApplied(state, id));
        EXPECT_EQ(Log().back(), std::string("revert failed  ") + LookupTweak(id)->name);
    }
    EXPECT_TRUE(SamePersisted(state, applied));
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);
    WithRights();
    EXPECT_TRUE(RevertTweak(state, "diagtrack", false));
    EXPECT_TRUE(RevertTweak(state, "telemetry", false));
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
    EXPECT_TRUE(state.AppliedSet.empty());
    EXPECT_TRUE(state.RegistryBackups.empty());
    EXPECT_TRUE(state.ServiceBackups.empty());
}

TEST_F(EngineTest, NagleWritesEveryInterfaceAndNoneWhenThereAreNone) {
    ASSERT_TRUE(ApplyTweak(state, "nagle", true));
    EXPECT_EQ(state.RegistryBackups.count("nagle"), 0u);
    ASSERT_TRUE(RevertTweak(state, "nagle", true));

    const std::u16string interfaces(kTcpipInterfacesKey);
    for (const char16_t* name : {u"{B}", u"{A}", u"{C}"})
        sim::PutRegistryValue(platform::kHkeyLocalMachine, interfaces + u"\\" + name, u"X", 4,
                              {1, 0, 0, 0});
    ASSERT_TRUE(ApplyTweak(state, "nagle", true));
    const auto& captures = state.RegistryBackups.at("nagle");
    ASSERT_EQ(captures.size(), 9u);
    EXPECT_EQ(captures[0].subkey, interfaces + u"\\{A}");
    EXPECT_EQ(captures[3].subkey, interfaces + u"\\{B}");
    EXPECT_EQ(captures[8].valueName, u"TcpDelAckTicks");
    for (const RegistryWrite& write : Plan("nagle").writes)
        EXPECT_EQ(Value(write, u"\\{C}"), (sim::RegistryValue{write.type, Expected(write)}));
    ASSERT_TRUE(RevertTweak(state, "nagle", true));
    for (const RegistryWrite& write : Plan("nagle").writes)
        EXPECT_FALSE(Value(write, u"\\{C}").has_value());
}

TEST_F(EngineTest, PointerSettingsComeBackAsTheyWere) {
    const RegistryWrite* writes = Plan("mouseaccel").writes.data();  // speed, threshold 1, 2
    Put(writes[0], platform::kRegSz, RegSz(u"2"));
    Put(writes[1], platform::kRegSz, RegSz(u"7"));
    sim::machine().pointer.live = {7, 10, 2};
    ASSERT_TRUE(ApplyTweak(state, "mouseaccel", false));
    EXPECT_EQ(sim::machine().pointer.live, (platform::MouseParameters{0, 0, 0}));
    ASSERT_TRUE(RevertTweak(state, "mouseaccel", false));
    EXPECT_EQ(Value(writes[0]), (sim::RegistryValue{platform::kRegSz, RegSz(u"2")}));
    EXPECT_EQ(Value(writes[1]), (sim::RegistryValue{platform::kRegSz, RegSz(u"7")}));
    EXPECT_FALSE(Value(writes[2]).has_value());
    EXPECT_EQ(sim::machine().pointer.live, (platform::MouseParameters{7, 10, 2}));
    EXPECT_EQ(sim::machine().pointer.calls.back().flags, platform::kSpifSendChange);
}

TEST_F(EngineTest, CommandTweaksRunTheirExactCommandLines) {
    ASSERT_TRUE(ApplyTweak(state, "hibernate", true));
    ASSERT_TRUE(RevertTweak(state, "hibernate", true));
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{u"powercfg /h off", u"powercfg /h on"}));

    sim::machine().processes.runs.clear();
    ASSERT_TRUE(ApplyTweak(state, "debloat-appx", false));
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{AppxRemovalCommand()}));
    EXPECT_TRUE(AppxRemovalCommand().starts_with(
        u"powershell -NoProfile -WindowStyle Hidden -ExecutionPolicy Bypass -Command "
        u"\"$a='Microsoft.BingNews','Microsoft.BingWeather',"));
    EXPECT_TRUE(AppxRemovalCommand().ends_with(
        u"'Clipchamp.Clipchamp','Microsoft.Todos';foreach($n in $a){Get-AppxPackage -AllUsers "
        u"-Name $n|Remove-AppxPackage -AllUsers -ErrorAction SilentlyContinue}\""));
    EXPECT_FALSE(RevertTweak(state, "debloat-appx", false));
    EXPECT_TRUE(IsApplied(state, "debloat-appx"));
    EXPECT_EQ(Log().back(), "revert failed  Preinstalled apps");

    sim::machine().processes.runs.clear();
    ASSERT_TRUE(ApplyTweak(state, "debloat-tasks", true));
    ASSERT_TRUE(RevertTweak(state, "debloat-tasks", true));
    const std::vector<std::u16string> commands = Commands();
    ASSERT_EQ(commands.size(), 2 * TelemetryTaskList.size());
    for (std::size_t i = 0; i < TelemetryTaskList.size(); ++i) {
        EXPECT_TRUE(commands[i].ends_with(u"/Disable"));
        EXPECT_TRUE(commands[TelemetryTaskList.size() + i].ends_with(u"/Enable"));
    }
}

TEST_F(EngineTest, DnsTakesTheServersOfTheLastChoice) {
    sim::machine().network.adapters = {{"{G}", u"Ethernet", 6, 1}};
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
        sim::machine().processes.runs.clear();
        ASSERT_TRUE(ApplyTweak(state, "dns", true));
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
    ASSERT_TRUE(ApplyTweak(state, "timerres", true));
    EXPECT_TRUE(TimerHolderRunning.load());
    ASSERT_TRUE(RevertTweak(state, "timerres", true));
    EXPECT_FALSE(TimerHolderRunning.load());
    // Not running (the entry point was missing): still reverts.
    sim::timerResolution().available = false;
    ASSERT_TRUE(ApplyTweak(state, "timerres", true));
    ASSERT_TRUE(RevertTweak(state, "timerres", true));
}

}  // namespace
