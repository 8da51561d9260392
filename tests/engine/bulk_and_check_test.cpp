// Profiles, revert-all, and the check that a revert restores only captures its own tweak
// could have taken.
#include <gtest/gtest.h>

#include "engine/capture_check.h"
#include "engine/engine_fixture.h"
#include "support/bytes.h"
#include "support/state_matchers.h"

namespace {

TEST_F(EngineTest, AProfileAppliesOnlyWhatIsNotYetApplied) {
    ASSERT_TRUE(ApplyQuietly(state, "gamemode").Ok());
    ASSERT_TRUE(ApplyQuietly(state, "telemetry").Ok());
    sim::TheMachine().registryFaults.deniedKeys.insert(
        u"HKEY_CURRENT_USER\\Software\\Microsoft\\Siuf\\Rules");  // feedback fails
    const std::vector<TweakFailure> feedbackFailed = {
        {"feedback", Refusal::Call("RegCreateKeyExW", 5)}};
    const Outcome outcome = ApplyProfileTweaks(state, "Laptop");
    EXPECT_EQ(outcome.changed, (std::vector<std::string>{"menudelay", "transparency", "adid"}));
    EXPECT_EQ(outcome.failed, feedbackFailed);
    EXPECT_EQ(Log(), (std::vector<std::string>{"profile Laptop : 3 tweaks"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(state.LogEntries.back().reason, "Feedback: RegCreateKeyExW: error 5");
    EXPECT_FALSE(IsApplied(state, "feedback"));
    for (const char* id : {"menudelay", "transparency", "adid"})
        EXPECT_TRUE(IsApplied(state, id)) << id;

    const Outcome again = ApplyProfileTweaks(state, "Laptop");
    EXPECT_TRUE(again.changed.empty());
    EXPECT_EQ(again.failed, feedbackFailed);
    EXPECT_EQ(Log().back(), "profile Laptop : 0 tweaks");
    const Outcome unknown = ApplyProfileTweaks(state, "laptop");
    EXPECT_EQ(unknown.refused, Refusal::Own("not a profile"));
    EXPECT_TRUE(unknown.changed.empty());
    EXPECT_EQ(state.LogEntries.size(), 2u);
}

TEST_F(EngineTest, RevertAllGoesInByteOrderSkipsTheAppsAndCountsStrangers) {
    for (const char* id : {"transparency", "adid", "activity", "menudelay"})
        ASSERT_TRUE(ApplyQuietly(state, id).Ok());
    state.AppliedSet.insert("debloat-appx");
    state.AppliedSet.insert("from-another-catalog");
    const Outcome outcome = RevertEveryTweak(state);
    EXPECT_EQ(outcome.changed,
              (std::vector<std::string>{"activity", "adid", "menudelay", "transparency"}));
    EXPECT_EQ(
        outcome.failed,
        (std::vector<TweakFailure>{{"from-another-catalog", Refusal::Own("not in the catalog")}}));
    EXPECT_EQ(Log(), (std::vector<std::string>{"revert all : 4 ok, 1 failures"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Warning);
    EXPECT_EQ(state.LogEntries.back().reason, "from-another-catalog: not in the catalog");
    EXPECT_EQ(state.AppliedSet,
              (std::set<std::string, std::less<>>{"debloat-appx", "from-another-catalog"}));

    state.AppliedSet.erase("from-another-catalog");
    EXPECT_TRUE(RevertEveryTweak(state).Ok());
    EXPECT_EQ(Log().back(), "revert all : 0 ok, 0 failures");
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
}

TEST_F(EngineTest, RevertAllGoesInTheSetsOrderNotTheCatalogs) {
    // The catalog lists hibernation before the telemetry tasks; their ids sort the other way.
    ASSERT_TRUE(ApplyQuietly(state, "hibernate").Ok());
    ASSERT_TRUE(ApplyQuietly(state, "debloat-tasks").Ok());
    sim::TheMachine().processes.runs.clear();
    EXPECT_TRUE(RevertEveryTweak(state).Ok());
    const std::vector<std::u16string> commands = Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_TRUE(commands.front().starts_with(u"schtasks "));
    EXPECT_EQ(commands.back(), u"powercfg /h on");
}

struct Crafted {
    const char* name;
    const char* id;
    void (*craft)(AppState&);
};

RegistryCapture Capture(RegistryRoot root, std::u16string key, std::u16string value) {
    return {root, std::move(key), std::move(value), true, 4, {1, 0, 0, 0}};
}

const std::u16string kInterfaces(kTcpipInterfacesKey);

TEST_F(EngineTest, ARevertRefusesCapturesThatAreNotTheTweaksOwn) {
    const Crafted cases[] = {
        {"a key of no tweak", "menudelay",
         [](AppState& s) {
             s.RegistryBackups["menudelay"].push_back(
                 Capture(RegistryRoot::LocalMachine, u"SOFTWARE\\Evil", u"MenuShowDelay"));
         }},
        {"another root", "menudelay",
         [](AppState& s) {
             s.RegistryBackups["menudelay"].push_back(
                 Capture(RegistryRoot::LocalMachine, u"Control Panel\\Desktop", u"MenuShowDelay"));
         }},
        {"a key one character off", "menudelay",
         [](AppState& s) {
             s.RegistryBackups["menudelay"].push_back(
                 Capture(RegistryRoot::CurrentUser, u"Control Panel\\Desktops", u"MenuShowDelay"));
         }},
        {"a value one character off", "menudelay",
         [](AppState& s) {
             s.RegistryBackups["menudelay"].push_back(
                 Capture(RegistryRoot::CurrentUser, u"Control Panel\\Desktop", u"MenuShowDelays"));
         }},
        {"a nagle key one level too deep", "nagle",
         [](AppState& s) {
             s.RegistryBackups["nagle"].push_back(Capture(
                 RegistryRoot::LocalMachine, kInterfaces + u"\\{A}\\x", u"TcpAckFrequency"));
         }},
        {"a nagle key with no interface", "nagle",
         [](AppState& s) {
             s.RegistryBackups["nagle"].push_back(
                 Capture(RegistryRoot::LocalMachine, kInterfaces + u"\\", u"TcpAckFrequency"));
         }},
        {"a quote in a server list", "dns",
         [](AppState& s) {
             s.BackupStore["dns.alias"] = "Ethernet";
             s.RegistryBackups["dns"].push_back({RegistryRoot::LocalMachine, kInterfaces + u"\\{G}",
                                                 u"NameServer", true, 1,
                                                 RegSz(u"1.1.1.1\" & calc")});
         }},
        {"a service of another tweak", "diagtrack",
         [](AppState& s) {
             s.ServiceBackups["diagtrack"].push_back({u"Fax", true, 3});
         }},
        {"a boot start type", "debloat-services",
         [](AppState& s) {
             s.ServiceBackups["debloat-services"].push_back({u"Fax", true, 0});
         }},
        {"a system start type", "diagtrack",
         [](AppState& s) {
             s.ServiceBackups["diagtrack"].push_back({u"DiagTrack", true, 1});
         }},
        {"a registry capture under a service tweak", "diagtrack",
         [](AppState& s) {
             s.RegistryBackups["diagtrack"].push_back(
                 Capture(RegistryRoot::CurrentUser, u"Control Panel\\Desktop", u"MenuShowDelay"));
         }},
    };
    sim::TheMachine().serviceManager.services[u"Fax"] = {4, false, 0, false};
    sim::TheMachine().serviceManager.services[u"DiagTrack"] = {4, false, 0, false};
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.name);
        state = AppState{};
        state.AppliedSet.insert(c.id);
        // One honest capture first: it must not be restored either.
        state.RegistryBackups["menudelay"] = {{RegistryRoot::CurrentUser, u"Control Panel\\Desktop",
                                               u"MenuShowDelay", true, 1, RegSz(u"400")}};
        c.craft(state);
        const AppState before = state;
        const auto registry = sim::TheMachine().registry.keys;
        sim::TheMachine().processes.runs.clear();
        sim::TheMachine().serviceManager.calls.clear();
        EXPECT_FALSE(CapturesAreTheTweaksOwn(state, *LookupPlan(c.id)));
        EXPECT_EQ(
            RevertTweak(state, c.id).failed,
            (std::vector<TweakFailure>{{c.id, Refusal::Own("captures are not the tweak's own")}}));
        EXPECT_EQ(Log().back(), std::string("revert failed  ") + LookupTweak(c.id)->name);
        EXPECT_EQ(state.LogEntries.back().reason, "captures are not the tweak's own");
        EXPECT_TRUE(SamePersisted(state, before));
        EXPECT_EQ(sim::TheMachine().registry.keys, registry);
        EXPECT_TRUE(Commands().empty());
        EXPECT_TRUE(sim::TheMachine().serviceManager.calls.empty());
    }
}

TEST_F(EngineTest, CapturesTheTweaksThemselvesTookPassTheCheck) {
    sim::TheMachine().network.adapters = {{"{G}", u"Ethernet", 6, 1}};
    sim::PutRegistryValue(
        platform::kHkeyLocalMachine,
        u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{G}", u"NameServer",
        1, RegSz(u"10.0.0.1,fe80::1%3 192.168.1.1"));
    auto& services = sim::TheMachine().serviceManager.services;
    for (const char16_t* name : {u"DiagTrack", u"MapsBroker", u"Fax"})
        services[name] = {2, true, 0, false};
    for (const TweakPlan& plan : kTweakPlans) {
        if (plan.action == TweakAction::AppxRemoval)
            continue;
        SCOPED_TRACE(std::string(plan.id));
        ASSERT_TRUE(ApplyQuietly(state, plan.id).Ok());
        EXPECT_TRUE(CapturesAreTheTweaksOwn(state, plan));
        EXPECT_TRUE(RevertQuietly(state, plan.id).Ok());
    }
}

}  // namespace
