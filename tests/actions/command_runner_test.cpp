// Which program a command line starts, and the nine telemetry task commands.
#include <gtest/gtest.h>

#include <optional>

#include "actions/command_runner.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

class CommandRunnerTest : public SimTest {
  protected:
    static const std::vector<sim::ProcessRun>& Runs() { return sim::TheMachine().processes.runs; }
};

TEST_F(CommandRunnerTest, KnownToolsAlwaysComeFromTheSystemFolder) {
    const struct {
        std::u16string commandLine;
        std::u16string program;
    } rows[] = {
        {u"powercfg /h off", u"C:\\Windows\\system32\\powercfg.exe"},
        {u"schtasks /Change /TN \"\\X\" /Disable", u"C:\\Windows\\system32\\schtasks.exe"},
        {u"netsh interface ip set dns", u"C:\\Windows\\system32\\netsh.exe"},
        {u"ipconfig /flushdns", u"C:\\Windows\\system32\\ipconfig.exe"},
        {u"powershell -NoProfile -Command x",
         u"C:\\Windows\\system32\\WindowsPowerShell\\v1.0\\powershell.exe"},
        {u"powercfg", u"C:\\Windows\\system32\\powercfg.exe"},
    };
    for (const auto& row : rows) {
        sim::TheMachine().processes.runs.clear();
        EXPECT_TRUE(RunCommand(row.commandLine).Ok());
        ASSERT_EQ(Runs().size(), 1u);
        EXPECT_EQ(Runs()[0].applicationPath, row.program);
        EXPECT_EQ(Runs()[0].commandLine, row.commandLine);  // passed unchanged
        EXPECT_EQ(Runs()[0].deadlineMs, 120000u);
    }
}

TEST_F(CommandRunnerTest, AnyOtherProgramIsRefused) {
    for (const char16_t* commandLine :
         {u"cmd /c del x", u"notepad.exe", u"powercfg.exe /h off", u"PowerCfg /h off",
          u"\"powercfg\" /h off", u"C:\\evil\\powercfg /h off", u"", u" powercfg"}) {
        EXPECT_EQ(RunCommand(commandLine).Reason(), Refusal::Own("not a known system tool"))
            << std::string(commandLine, commandLine + 3);
    }
    EXPECT_TRUE(Runs().empty());
}

TEST_F(CommandRunnerTest, OnlyExitCodeZeroSucceedsAndARefusalNamesTheToolAndItsCode) {
    const std::u16string powercfg = u"C:\\Windows\\system32\\powercfg.exe";
    const std::u16string netsh = u"C:\\Windows\\system32\\netsh.exe";
    const struct {
        const char* name;
        std::uint32_t exitCode;
        bool missing;
        std::optional<Refusal> refusal;
        const char* text;
    } rows[] = {
        {"exit code 0", 0, false, std::nullopt, ""},
        {"exit code 1", 1, false, Refusal::ToolExit(netsh, 1),
         "C:\\Windows\\system32\\netsh.exe: exit code 1"},
        {"a negative exit code", 0xFFFFFFFFu, false, Refusal::ToolExit(netsh, 0xFFFFFFFFu),
         "C:\\Windows\\system32\\netsh.exe: exit code 0xFFFFFFFF"},
        {"still running at the deadline", 259, false, Refusal::ToolError(netsh, 1460),
         "C:\\Windows\\system32\\netsh.exe: error 1460"},
        {"not there", 0, true, Refusal::ToolError(netsh, 2),
         "C:\\Windows\\system32\\netsh.exe: error 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        sim::TheMachine().processes.exitCodes[u"netsh x"] = row.exitCode;
        if (row.missing)
            sim::TheMachine().processes.missingPrograms.insert(netsh);
        const Result result = RunCommand(u"netsh x");
        EXPECT_EQ(result.Reason(), row.refusal);
        EXPECT_EQ(result.Ok() ? "" : result.Reason()->Text(), row.text);
        // Another tool is not affected.
        EXPECT_TRUE(RunCommand(u"ipconfig /flushdns").Ok());
    }
    EXPECT_TRUE(RunProgram(powercfg, u"powercfg /h on").Ok());
}

TEST_F(CommandRunnerTest, TelemetryTasksAreSwitchedByNineExactCommands) {
    const std::u16string failing =
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Autochk\\Proxy\" /Disable";
    sim::TheMachine().processes.exitCodes[failing] = 1;
    // A later failure does not replace the first one's reason.
    sim::TheMachine().processes.exitCodes
        [u"schtasks /Change /TN \"\\Microsoft\\Windows\\Windows "
         u"Error Reporting\\QueueReporting\" /Disable"] = 2;
    EXPECT_EQ(SetTelemetryTasks(true).Reason(),
              Refusal::ToolExit(u"C:\\Windows\\system32\\schtasks.exe", 1));
    const std::vector<std::u16string> expected = {
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Application "
        u"Experience\\ProgramDataUpdater\" /Disable",
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Application Experience\\Microsoft "
        u"Compatibility Appraiser\" /Disable",
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Application Experience\\StartupAppTask\" "
        u"/Disable",
        failing,
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Customer Experience Improvement "
        u"Program\\Consolidator\" /Disable",
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Customer Experience Improvement "
        u"Program\\UsbCeip\" /Disable",
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Feedback\\Siuf\\DmClient\" /Disable",
        u"schtasks /Change /TN "
        u"\"\\Microsoft\\Windows\\Feedback\\Siuf\\DmClientOnScenarioDownload\" /Disable",
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Windows Error Reporting\\QueueReporting\" "
        u"/Disable",
    };
    std::vector<std::u16string> ran;
    for (const sim::ProcessRun& run : Runs())
        ran.push_back(run.commandLine);
    EXPECT_EQ(ran, expected);

    sim::TheMachine().processes.runs.clear();
    EXPECT_TRUE(SetTelemetryTasks(false).Ok());
    ASSERT_EQ(Runs().size(), 9u);
    EXPECT_EQ(Runs()[8].commandLine,
              u"schtasks /Change /TN \"\\Microsoft\\Windows\\Windows Error "
              u"Reporting\\QueueReporting\" /Enable");
}

}  // namespace
