#include "actions/command_runner.h"

#include <string_view>

#include "platform/processes.h"

namespace {

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

// The full path of the tool the command line starts with; empty when it is not one of ours.
std::u16string ToolPath(std::u16string_view commandLine) {
    const std::u16string_view first = commandLine.substr(0, commandLine.find(u' '));
    for (const KnownTool& tool : kTools) {
        if (first == tool.name) {
            const std::u16string folder = platform::SystemDirectory();
            if (folder.empty())
                return {};
            return folder + std::u16string(tool.pathInSystemFolder);
        }
    }
    return {};
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

bool RunProgram(const std::u16string& applicationPath, const std::u16string& commandLine,
                std::uint32_t deadlineMs) {
    std::uint32_t exitCode = 1;
    return platform::RunHiddenProcess(applicationPath, commandLine, deadlineMs, exitCode).ok() &&
           exitCode == 0;
}

bool RunCommand(const std::u16string& commandLine) {
    const std::u16string program = ToolPath(commandLine);
    return !program.empty() && RunProgram(program, commandLine);
}

bool SetTelemetryTasks(bool disable) {
    bool result = true;
    for (const char16_t* task : TelemetryTaskList) {
        const std::u16string commandLine = std::u16string(u"schtasks /Change /TN \"") + task +
                                           u"\" " + (disable ? u"/Disable" : u"/Enable");
        if (!RunCommand(commandLine))
            result = false;
    }
    return result;
}
