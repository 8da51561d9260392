// Why an operation did not wholly succeed, seen from outside: the Outcome, the reason of the
// operation's log entry, and session.log, which keeps the message alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "state/session_log.h"
#include "support/bytes.h"

namespace {

const std::u16string kPowercfg = u"C:\\Windows\\system32\\powercfg.exe";
const std::u16string kSchtasks = u"C:\\Windows\\system32\\schtasks.exe";

using Arrange = std::function<void(AppState&)>;
using Operation = std::function<Outcome(AppState&)>;

Operation Apply(const char* id) {
    return [id](AppState& state) { return ApplyTweak(state, id); };
}

Operation Revert(const char* id) {
    return [id](AppState& state) { return RevertTweak(state, id); };
}

std::u16string Desktop(const char16_t* value) {
    return u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\" + std::u16string(value);
}

class ReasonsTest : public EngineTest {
  protected:
    // The one line session.log should hold for the message: the time, the message, no reason.
    static std::string LogLine(const std::string& message) {
        return ToUtf8(LocalTimeText()) + "  " + message + "\r\n";
    }
};

struct FailingTweak {
    const char* name;
    Arrange arrange;
    Operation operation;
    const char* id;
    Refusal refusal;
    const char* line;
    const char* reason;
};

TEST_F(ReasonsTest, AFailedTweakKeepsItsReasonInTheOutcomeAndTheEntryButNotInSessionLog) {
    const FailingTweak cases[] = {
        {"a registry key refused for writing", [](AppState&) { WithoutRights(); }, Apply("hags"),
         "hags", Refusal::Call("RegCreateKeyExW", 5), "failed  GPU scheduling",
         "RegCreateKeyExW: error 5"},
        {"a value that cannot be read for its capture",
         [](AppState&) {
             sim::PutRegistryValue(platform::kHkeyCurrentUser, u"Control Panel\\Desktop",
                                   u"HungAppTimeout", platform::kRegSz, RegSz(u"5000"));
             sim::TheMachine().registryFaults.secondReadFails.insert(Desktop(u"HungAppTimeout"));
         },
         Apply("menudelay"), "menudelay", Refusal::Call("RegQueryValueExW", 5),
         "failed  Menu delays", "RegQueryValueExW: error 5"},
        {"a system tool that exits with 1",
         [](AppState&) { sim::TheMachine().processes.exitCodes[u"powercfg /h off"] = 1; },
         Apply("hibernate"), "hibernate", Refusal::ToolExit(kPowercfg, 1), "failed  Hibernation",
         "C:\\Windows\\system32\\powercfg.exe: exit code 1"},
        {"a system tool that is not there",
         [](AppState&) { sim::TheMachine().processes.missingPrograms.insert(kSchtasks); },
         Apply("debloat-tasks"), "debloat-tasks", Refusal::ToolError(kSchtasks, 2),
         "failed  Telemetry tasks", "C:\\Windows\\system32\\schtasks.exe: error 2"},
        {"a service that refuses the change",
         [](AppState&) {
             sim::TheMachine().serviceManager.services[u"DiagTrack"] = {
                 2, true, platform::kServiceChangeConfig, false};
         },
         Apply("diagtrack"), "diagtrack", Refusal::Call("OpenServiceW", 5), "failed  DiagTrack",
         "OpenServiceW: error 5"},
        {"a timer thread that cannot start",
         [](AppState&) { sim::TheMachine().threads.startError = 8; }, Apply("timerres"), "timerres",
         Refusal::Call("CreateThread", 8), "failed  Timer 0.5 ms", "CreateThread: error 8"},
        {"no scheme that can be activated",
         [](AppState&) {
             sim::TheMachine().power.setDenied = true;
             sim::TheMachine().processes.defaultExitCode = 1;
         },
         Apply("powerplan"), "powerplan", Refusal::Call("PowerSetActiveScheme", 5),
         "failed  High performance", "PowerSetActiveScheme: error 5"},
        {"no interface", [](AppState&) {}, Apply("dns"), "dns", Refusal::Own("no active interface"),
         "failed  DNS Cloudflare", "no active interface"},
        {"an interface name that would break the command line",
         [](AppState&) {
             sim::TheMachine().network.adapters = {{"{G}", u"Eth\"ernet", 6, 1}};
         },
         Apply("dns"), "dns", Refusal::Own("interface name unsafe on a command line"),
         "failed  DNS Cloudflare", "interface name unsafe on a command line"},
        {"captures that are not the tweak's own",
         [](AppState& app) {
             app.AppliedSet.insert("menudelay");
             app.RegistryBackups["menudelay"] = {{RegistryRoot::LocalMachine, u"SOFTWARE\\Evil",
                                                  u"MenuShowDelay", true, 1, RegSz(u"400")}};
         },
         Revert("menudelay"), "menudelay", Refusal::Own("captures are not the tweak's own"),
         "revert failed  Menu delays", "captures are not the tweak's own"},
        {"no recorded interface", [](AppState& app) { app.AppliedSet.insert("dns"); },
         Revert("dns"), "dns", Refusal::Own("no interface recorded"),
         "revert failed  DNS Cloudflare", "no interface recorded"},
        {"the preinstalled apps", [](AppState& app) { app.AppliedSet.insert("debloat-appx"); },
         Revert("debloat-appx"), "debloat-appx", Refusal::Own("cannot be undone"),
         "revert failed  Preinstalled apps", "cannot be undone"},
        {"a value the revert cannot delete without rights",
         [](AppState& app) {
             ASSERT_TRUE(ApplyQuietly(app, "telemetry").Ok());
             WithoutRights();
         },
         Revert("telemetry"), "telemetry", Refusal::Call("RegOpenKeyExW", 5),
         "revert failed  Telemetry", "RegOpenKeyExW: error 5"},
    };
    for (const FailingTweak& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        state = AppState{};
        c.arrange(state);
        const AppState before = state;
        const auto fileBefore = StateFile();

        const Outcome outcome = c.operation(state);

        EXPECT_TRUE(outcome.changed.empty());
        EXPECT_EQ(outcome.failed, (std::vector<TweakFailure>{{c.id, c.refusal}}));
        EXPECT_FALSE(outcome.refused.has_value());
        EXPECT_TRUE(outcome.saved.Ok());
        EXPECT_FALSE(outcome.Ok());
        EXPECT_EQ(c.refusal.Text(), c.reason);
        ASSERT_EQ(state.LogEntries.size(), 1u);
        EXPECT_EQ(state.LogEntries[0].message, c.line);
        EXPECT_EQ(state.LogEntries[0].kind, LogKind::Error);
        EXPECT_EQ(state.LogEntries[0].reason, c.reason);
        EXPECT_EQ(state.LastMessage, c.line);
        EXPECT_EQ(SessionLog(), LogLine(c.line));
        // Nothing recorded but what the action stored (the power plan remembers the scheme it
        // found), nothing saved.
        EXPECT_EQ(state.AppliedSet, before.AppliedSet);
        EXPECT_EQ(state.RegistryBackups, before.RegistryBackups);
        EXPECT_EQ(state.ServiceBackups, before.ServiceBackups);
        EXPECT_EQ(StateFile(), fileBefore);
    }
}

struct Summary {
    const char* name;
    Arrange arrange;
    Operation operation;
    std::vector<std::string> changed;
    bool appliedAfter;  // whether the changed tweaks are applied afterwards
    std::vector<std::string> failed;
    const char* line;
    LogKind kind;
    const char* reason;  // one line per failed tweak, by its name
};

TEST_F(ReasonsTest, ASummaryLineGivesOneReasonPerFailedTweakByName) {
    const Summary cases[] = {
        {"the safe set",
         [](AppState&) {
             sim::TheMachine().registryFaults.deniedKeys.insert(
                 u"HKEY_CURRENT_USER\\System\\GameConfigStore");
             sim::PutRegistryValue(platform::kHkeyCurrentUser, u"Control Panel\\Desktop",
                                   u"MenuShowDelay", platform::kRegSz, RegSz(u"400"));
             sim::TheMachine().registryFaults.sizeReadFails.insert(Desktop(u"MenuShowDelay"));
         },
         ApplySafeSet,
         {"gamebar", "gamemode", "priority", "visualfx", "transparency", "startupdelay",
          "powerplan", "mouseaccel", "telemetry", "feedback", "activity", "adid"},
         true,
         {"gamedvr", "menudelay"},
         "safe set : 12 tweaks",
         LogKind::Success,
         "Game DVR: RegCreateKeyExW: error 5\nMenu delays: RegQueryValueExW: error 5"},
        {"a profile",
         [](AppState&) {
             sim::TheMachine().registryFaults.deniedKeys.insert(
                 u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
                 u"NT\\CurrentVersion\\Multimedia\\SystemProfile");
         },
         [](AppState& app) { return ApplyProfileTweaks(app, "Streamer"); },
         {"gamebar", "gamedvr", "priority", "visualfx", "telemetry", "adid"},
         true,
         {"netthrottle", "mmcss"},
         "profile Streamer : 6 tweaks",
         LogKind::Success,
         "Network Throttling: RegCreateKeyExW: error 5\nMMCSS reservation: RegCreateKeyExW: "
         "error 5"},
        {"revert all",
         [](AppState& app) {
             ASSERT_TRUE(ApplyQuietly(app, "transparency").Ok());
             ASSERT_TRUE(ApplyQuietly(app, "telemetry").Ok());
             WithoutRights();
         },
         RevertEveryTweak,
         {"transparency"},
         false,
         {"telemetry"},
         "revert all : 1 ok, 1 failures",
         LogKind::Warning,
         "Telemetry: RegOpenKeyExW: error 5"},
        {"revert all with nothing failing",
         [](AppState&) {},
         RevertEveryTweak,
         {},
         false,
         {},
         "revert all : 0 ok, 0 failures",
         LogKind::Success,
         ""},
    };
    for (const Summary& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        state = AppState{};
        c.arrange(state);

        const Outcome outcome = c.operation(state);

        EXPECT_EQ(outcome.changed, c.changed);
        std::vector<std::string> failed;
        for (const TweakFailure& failure : outcome.failed)
            failed.push_back(failure.id);
        EXPECT_EQ(failed, c.failed);
        EXPECT_TRUE(outcome.saved.Ok());
        ASSERT_EQ(state.LogEntries.size(), 1u);
        EXPECT_EQ(state.LogEntries[0].message, c.line);
        EXPECT_EQ(state.LogEntries[0].kind, c.kind);
        EXPECT_EQ(state.LogEntries[0].reason, c.reason);
        EXPECT_EQ(SessionLog(), LogLine(c.line));
        for (const std::string& id : c.changed)
            EXPECT_EQ(IsApplied(state, id), c.appliedAfter) << id;
        for (const std::string& id : c.failed)
            EXPECT_EQ(IsApplied(state, id), !c.appliedAfter) << id;
    }
}

struct Unsaved {
    const char* name;
    Arrange arrange;
    Operation operation;
    std::vector<std::string> changed;
    const char* line;
    LogKind kind;
};

TEST_F(ReasonsTest, AStateFileThatCannotBeWrittenShowsInTheOutcomeAndTheLine) {
    const Unsaved cases[] = {
        {"an apply",
         [](AppState&) {},
         Apply("menudelay"),
         {"menudelay"},
         "applied  Menu delays",
         LogKind::Success},
        {"a revert",
         [](AppState& app) { ASSERT_TRUE(ApplyQuietly(app, "menudelay").Ok()); },
         Revert("menudelay"),
         {"menudelay"},
         "reverted  Menu delays",
         LogKind::Info},
        {"a profile, which saves after each tweak and keeps the first refusal",
         [](AppState&) {},
         [](AppState& app) { return ApplyProfileTweaks(app, "Laptop"); },
         {"gamemode", "menudelay", "transparency", "telemetry", "feedback", "adid"},
         "profile Laptop : 6 tweaks",
         LogKind::Success},
    };
    for (const Unsaved& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        state = AppState{};
        c.arrange(state);
        sim::TheMachine().fileSystem.files.erase(StatePath());
        sim::TheMachine().fileFaults.moveError = platform::kErrorAccessDenied;

        const Outcome outcome = c.operation(state);

        EXPECT_EQ(outcome.changed, c.changed);
        EXPECT_TRUE(outcome.failed.empty());
        EXPECT_EQ(outcome.saved.Reason(), Refusal::Call("MoveFileExW", 5));
        EXPECT_FALSE(outcome.Ok());
        ASSERT_EQ(state.LogEntries.size(), 1u);
        EXPECT_EQ(state.LogEntries[0].message, c.line);
        EXPECT_EQ(state.LogEntries[0].kind, c.kind);
        EXPECT_EQ(state.LogEntries[0].reason, "state file not saved: MoveFileExW: error 5");
        EXPECT_EQ(SessionLog(), LogLine(c.line));
        // The state in memory has the change; the file does not.
        EXPECT_FALSE(StateFile().has_value());
    }
}

}  // namespace
