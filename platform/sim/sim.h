// The simulated Windows that tests point the core at: an in-memory file system, known
// folders, a clock and a command line, each with switches that inject the failures the
// real system can produce. Reset() gives a fresh machine.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/network.h"
#include "platform/pointer.h"
#include "platform/power.h"
#include "platform/system_info.h"
#include "platform/window.h"
#include "platform/sim/no_case.h"

namespace sim {

using Bytes = std::vector<std::uint8_t>;

struct OpenFile {
    std::u16string path;
    std::uint32_t access = 0;
    std::uint32_t share = 0;
    std::uint64_t position = 0;
};

struct FileSystem {
    std::map<std::u16string, Bytes, NoCaseLess> files;
    std::set<std::u16string, NoCaseLess> directories;
    std::map<std::intptr_t, OpenFile> open;
    std::intptr_t nextHandle = 1;
};

// Failures to inject; an error code of 0 means "no fault".
struct FileFaults {
    std::map<std::u16string, std::uint32_t, NoCaseLess> createErrors;
    // FileSize reports this size for the path instead of the stored one.
    std::map<std::u16string, std::uint64_t, NoCaseLess> reportedSizes;
    // Each write stores and reports this many bytes fewer than asked, yet succeeds.
    std::uint32_t writeShortBy = 0;
    std::uint32_t sizeError = 0;
    std::uint32_t readError = 0;
    std::uint32_t writeError = 0;
    std::uint32_t flushError = 0;
    std::uint32_t moveError = 0;
    std::uint32_t deleteError = 0;
    std::uint32_t createDirectoryError = 0;
};

struct RegistryValue {
    std::uint32_t type = 0;
    Bytes data;
    bool operator==(const RegistryValue&) const = default;
};

struct RegistryKeyData {
    std::map<std::u16string, RegistryValue, NoCaseLess> values;
    bool operator==(const RegistryKeyData&) const = default;
};

// Keys by full path: "HKEY_CURRENT_USER\\Software\\...".
struct Registry {
    std::map<std::u16string, RegistryKeyData, NoCaseLess> keys;
    struct OpenKey {
        std::u16string path;
        std::uint32_t access = 0;
    };
    std::map<std::intptr_t, OpenKey> open;
    std::intptr_t nextHandle = 0x100;
    // The access asked by every RegistryOpenKey, in order.
    std::vector<std::uint32_t> openAccess;
};

struct RegistryFaults {
    // Keys that cannot be opened or created at all (ERROR_ACCESS_DENIED).
    std::set<std::u16string, NoCaseLess> deniedKeys;
    // Access rights refused (ERROR_ACCESS_DENIED) for a key and every key below it, as
    // HKEY_LOCAL_MACHINE refuses KEY_SET_VALUE to a standard user yet can be read.
    std::map<std::u16string, std::uint32_t, NoCaseLess> refusedAccess;
    // "key path\\value name" whose query for the type and size fails with ERROR_ACCESS_DENIED.
    std::set<std::u16string, NoCaseLess> sizeReadFails;
    // "key path\\value name" whose query with a buffer fails with ERROR_ACCESS_DENIED.
    std::set<std::u16string, NoCaseLess> secondReadFails;
    // Keys whose values cannot be deleted (ERROR_ACCESS_DENIED).
    std::set<std::u16string, NoCaseLess> deleteDenied;
};

struct Service {
    std::uint32_t startType = 3;
    bool running = false;
    // Access rights this service refuses to grant (ERROR_ACCESS_DENIED), as without
    // administrator rights.
    std::uint32_t refusedAccess = 0;
    bool configUnreadable = false;
};

struct ServiceManager {
    std::map<std::u16string, Service, NoCaseLess> services;
    bool managerFails = false;
    struct OpenHandle {
        std::u16string name;  // empty for the manager itself
        std::uint32_t access = 0;
    };
    std::map<std::intptr_t, OpenHandle> open;
    std::intptr_t nextHandle = 0x10;
    // What was asked of which service, in order: "open DiagTrack 0x1", "stop DiagTrack", ...
    std::vector<std::string> calls;
};

struct ProcessRun {
    std::u16string applicationPath;
    std::u16string commandLine;
    std::uint32_t deadlineMs = 0;
};

struct ProcessRunner {
    // Every process started, in order.
    std::vector<ProcessRun> runs;
    // Exit codes by command line; any other command exits with `defaultExitCode`.
    std::map<std::u16string, std::uint32_t> exitCodes;
    std::uint32_t defaultExitCode = 0;
    // Programs that do not exist (ERROR_FILE_NOT_FOUND at creation).
    std::set<std::u16string, NoCaseLess> missingPrograms;
};

struct PowerSchemes {
    std::vector<platform::Guid> installed;
    platform::Guid active;
    bool readFails = false;
    // Every activation fails with ERROR_ACCESS_DENIED, as without administrator rights.
    bool setDenied = false;
};

// Shared with the threads the simulation starts, hence atomic.
struct TimerResolution {
    std::atomic<bool> available{true};
    std::atomic<int> requests{0};
    std::atomic<int> withdrawals{0};
    std::atomic<std::uint32_t> lastDesired{0};
};

struct Threads {
    int started = 0;
    std::uint32_t startError = 0;  // CreateThread fails with this code when non-zero
};

struct Network {
    std::vector<platform::AdapterEntry> adapters;
    // The buffer the table needs; a smaller one gets ERROR_BUFFER_OVERFLOW and this size.
    std::uint32_t requiredBufferSize = 4096;
    // Each call asks for this much more than the buffer it was given (a table that grows).
    bool alwaysOverflows = false;
    std::uint32_t error = 0;
    std::vector<std::uint32_t> bufferSizes;  // the size of every call, in order
};

struct Pointer {
    platform::MouseParameters live = {6, 10, 1};
    struct Call {
        platform::MouseParameters parameters;
        std::uint32_t flags = 0;
    };
    std::vector<Call> calls;  // every SPI_SETMOUSE, in order
    std::uint32_t setError = 0;
};

// Requests handed to the shell (ShellExecuteW).
struct Shell {
    struct Call {
        std::u16string verb;
        std::u16string file;
        std::u16string parameters;
        std::int32_t showCommand = 0;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;  // every request, in order
    std::uint32_t error = 0;  // each request fails with this code when non-zero
};

// The machine's facts and load; each query has a switch that makes it fail.
struct SystemInfo {
    platform::ProcessorTimes times;
    std::uint32_t timesError = 0;
    platform::MemoryStatus memory;
    std::uint32_t memoryError = 0;
    // Drives by root ("C:\\"); any other root is not found.
    std::map<std::u16string, platform::DiskSpace, NoCaseLess> drives;
    // SYSTEM_LOGICAL_PROCESSOR_INFORMATION entries as the call returns them; empty, the call
    // asks for a length of 0.
    Bytes processorInformation;
    // The call with a buffer fails with this code when non-zero.
    std::uint32_t processorInformationError = 0;
    std::uint32_t processors = 0;
    std::u16string computerName;
    // RtlGetVersion: its build, or this code (ERROR_PROC_NOT_FOUND: no entry point).
    std::uint32_t build = 0;
    std::uint32_t versionError = 0;
    bool elevated = false;
    std::uint32_t elevationError = 0;
};

// The main window on one monitor whose top-left corner is the screen's origin.
struct Window {
    platform::WindowRect rect = {400, 180, 1520, 900};
    platform::WindowRect workArea = {0, 0, 1920, 1040};
    std::uint32_t placementError = 0;  // both placement calls fail with this when non-zero
    std::uint32_t monitorError = 0;
    bool minimized = false;
    std::optional<int> quitCode;
    std::vector<std::string> calls;  // every call by name, in order
};

struct Machine {
    FileSystem fileSystem;
    FileFaults fileFaults;
    Registry registry;
    RegistryFaults registryFaults;
    ServiceManager serviceManager;
    ProcessRunner processes;
    PowerSchemes power;
    Threads threads;
    Network network;
    Pointer pointer;
    Shell shell;
    SystemInfo systemInfo;
    Window window;
    // Empty when the known-folder lookup fails.
    std::optional<std::u16string> localAppData;
    int knownFolderCalls = 0;
    int createDirectoryCalls = 0;
    std::uint64_t tickMs = 0;
    platform::LocalTime localTime;
    std::vector<std::u16string> arguments;
    // RT_RCDATA resources of the executable, by id.
    std::map<int, Bytes> resources;
    // Paths asked about with FileAttributes, in order.
    std::vector<std::u16string> attributeQueries;
};

// Used by the restore-point worker thread, hence behind a lock and apart from Machine.
struct RestorePoints {
    std::mutex mutex;
    std::int64_t highest = 0;  // the newest point's sequence number; 0: none
    bool recentPointExists = false;
    std::uint32_t refusal = 0;     // nStatus of a refused request (ERROR_SERVICE_DISABLED...)
    std::uint32_t queryError = 0;  // the WMI query fails with this
    int apartments = 0;            // COM apartments entered and not left
    int apartmentsAtRequest = 0;
    std::vector<std::u16string> descriptions;  // of every request, in order
};

Machine& TheMachine();
RestorePoints& TheRestorePoints();
// Kept apart from Machine so that threads still running can use it across a Reset.
TimerResolution& TheTimerResolution();
void Reset();

// Paths in the form the file system stores them: backslashes, no trailing separator.
std::u16string NormalizePath(std::u16string path);

// The registry path of a key under a predefined root; empty for any other root.
std::u16string RegistryPath(std::uint32_t root, const std::u16string& subkey);
void PutRegistryValue(std::uint32_t root, const std::u16string& subkey, const std::u16string& name,
                      std::uint32_t type, Bytes data);
std::optional<RegistryValue> RegistryValueOf(std::uint32_t root, const std::u16string& subkey,
                                             const std::u16string& name);
bool RegistryKeyExists(std::uint32_t root, const std::u16string& subkey);

// One SYSTEM_LOGICAL_PROCESSOR_INFORMATION entry of the given relationship, as the call
// fills it.
Bytes ProcessorInformationEntry(std::uint32_t relationship);

// Test conveniences over TheMachine().fileSystem.
void PutFile(const std::u16string& path, Bytes content);
std::optional<Bytes> FileContent(const std::u16string& path);

}  // namespace sim
