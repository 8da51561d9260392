#include "actions/command_runner.h"

#include <string_view>

#include "platform/processes.h"

namespace {

// What GetExitCodeProcess reports for a process that has not ended.
constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kErrorTimeout = 1460;

struct KnownTool {
    std::u16string_view name;
    std::u16string_view pathInSystemFolder;
};

constexpr KnownTool kTools[] = {
    {u"powercfg", u"\\powercfg.exe"},
    {u"schtasks", u"\\schtasks.exe"},
    {u"netsh", u"\\netsh.exe"},
    {u"ipconfig", u"\\ipconfig.exe"},
    {u"powershell", u"\\WindowsPowerShell\\v1.0\\powershell.exe"},
};

// The tool the command line starts with; nullptr when it is not one of ours.
const KnownTool* FindTool(std::u16string_view commandLine) {
    const std::u16string_view first = commandLine.substr(0, commandLine.find(u' '));
    for (const KnownTool& tool : kTools) {
        if (first == tool.name)
            return &tool;
    }
    return nullptr;
}

}  // namespace

const std::array<const char16_t*, 9> TelemetryTaskList = {
    u"\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater",
    u"\\Microsoft\\Windows\\Application Experience\\Microsoft Compatibility Appraiser",
    u"\\Microsoft\\Windows\\Application Experience\\StartupAppTask",
    u"\\Microsoft\\Windows\\Autochk\\Proxy",
    u"\\Microsoft\\Windows\\Customer Experience Improvement Program\\Consolidator",
    u"\\Microsoft\\Windows\\Customer Experience Improvement Program\\UsbCeip",
    u"\\Microsoft\\Windows\\Feedback\\Siuf\\DmClient",
    u"\\Microsoft\\Windows\\Feedback\\Siuf\\DmClientOnScenarioDownload",
    u"\\Microsoft\\Windows\\Windows Error Reporting\\QueueReporting",
};

Result RunProgram(const std::u16string& applicationPath, const std::u16string& commandLine,
                  std::uint32_t deadlineMs) {
    std::uint32_t exitCode = 1;
    if (const platform::Status started =
            platform::RunHiddenProcess(applicationPath, commandLine, deadlineMs, exitCode);
        !started.Ok()) {
        return Refusal::ToolError(applicationPath, started.Code());
    }
    if (exitCode == kStillActive)
        return Refusal::ToolError(applicationPath, kErrorTimeout);
    if (exitCode != 0)
        return Refusal::ToolExit(applicationPath, exitCode);
    return {};
}

Result RunCommand(const std::u16string& commandLine) {
    const KnownTool* tool = FindTool(commandLine);
    if (tool == nullptr)
        return Refusal::Own("not a known system tool");
    const std::u16string folder = platform::SystemDirectory();
    if (folder.empty())
        return Refusal::Own("no system folder");
    return RunProgram(folder + std::u16string(tool->pathInSystemFolder), commandLine);
}

Result SetTelemetryTasks(bool disable) {
    Result result;
    for (const char16_t* task : TelemetryTaskList) {
        const std::u16string commandLine = std::u16string(u"schtasks /Change /TN \"") + task +
                                           u"\" " + (disable ? u"/Disable" : u"/Enable");
        result.KeepFirst(RunCommand(commandLine));
    }
    return result;
}
