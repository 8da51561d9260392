// Which program a command line starts, and the nine telemetry task commands.
#include <gtest/gtest.h>

#include "actions/command_runner.h"
#include "support/sim_fixture.h"

namespace {

class CommandRunnerTest : public SimTest {
  protected:
    static const std::vector<sim::ProcessRun>& Runs() { return sim::machine().processes.runs; }
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
        sim::machine().processes.runs.clear();
        EXPECT_TRUE(RunCommand(row.commandLine));
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
        EXPECT_FALSE(RunCommand(commandLine)) << std::string(commandLine, commandLine + 3);
    }
    EXPECT_TRUE(Runs().empty());
}

TEST_F(CommandRunnerTest, OnlyExitCodeZeroSucceeds) {
    sim::machine().processes.exitCodes[u"powercfg /h off"] = 1;
    EXPECT_FALSE(RunCommand(u"powercfg /h off"));
    sim::machine().processes.exitCodes[u"powercfg /h off"] = 259;  // still running at the deadline
    EXPECT_FALSE(RunCommand(u"powercfg /h off"));
    EXPECT_TRUE(RunCommand(u"powercfg /h on"));
    sim::machine().processes.missingPrograms.insert(u"C:\\Windows\\system32\\netsh.exe");
    EXPECT_FALSE(RunCommand(u"netsh x"));
}

TEST_F(CommandRunnerTest, TelemetryTasksAreSwitchedByNineExactCommands) {
    const std::u16string failing =
        u"schtasks /Change /TN \"\\Microsoft\\Windows\\Autochk\\Proxy\" /Disable";
    sim::machine().processes.exitCodes[failing] = 1;
    EXPECT_FALSE(SetTelemetryTasks(true));
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

    sim::machine().processes.runs.clear();
    EXPECT_TRUE(SetTelemetryTasks(false));
    ASSERT_EQ(Runs().size(), 9u);
    EXPECT_EQ(Runs()[8].commandLine,
              u"schtasks /Change /TN \"\\Microsoft\\Windows\\Windows Error "
              u"Reporting\\QueueReporting\" /Enable");
}

}  // namespace
