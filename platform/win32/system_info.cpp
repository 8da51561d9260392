// Machine facts through kernel32 and advapi32, the version through ntdll.
#include "platform/system_info.h"

#include <windows.h>

#include <cstddef>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

static_assert(sizeof(MEMORYSTATUSEX) == 64);
static_assert(sizeof(OSVERSIONINFOW) == 276);
static_assert(sizeof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION) == kProcessorInformationEntrySize);
static_assert(offsetof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION, Relationship) ==
              kProcessorInformationRelationshipOffset);
static_assert(RelationProcessorCore == kRelationProcessorCore);

std::uint64_t Joined(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

Status LastError() {
    return Status(GetLastError());
}

}  // namespace

Status SystemTimes(ProcessorTimes& times) {
    FILETIME idle{}, kernel{}, user{};
    if (!GetSystemTimes(&idle, &kernel, &user))
        return LastError();
    times = {Joined(idle), Joined(kernel), Joined(user)};
    return Status();
}

Status PhysicalMemory(MemoryStatus& status) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory))
        return LastError();
    status = {memory.ullTotalPhys, memory.ullAvailPhys};
    return Status();
}

Status DiskFreeSpace(const std::u16string& root, DiskSpace& space) {
    ULARGE_INTEGER available{}, total{};
    if (!GetDiskFreeSpaceExW(win32::Wide(root), &available, &total, nullptr))
        return LastError();
    space = {available.QuadPart, total.QuadPart};
    return Status();
}

Status LogicalProcessorInformation(std::uint8_t* buffer, std::uint32_t& length) {
    DWORD size = length;
    const BOOL done = GetLogicalProcessorInformation(
        reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION*>(buffer), &size);
    const Status status = done ? Status() : LastError();
    length = size;
    return status;
}

std::uint32_t ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

Status ComputerName(std::uint32_t capacity, std::u16string& name) {
    std::u16string buffer(capacity, u'\0');
    DWORD size = capacity;
    const BOOL done = GetComputerNameW(reinterpret_cast<wchar_t*>(buffer.data()), &size);
    const Status status = done ? Status() : LastError();
    name = done ? buffer.substr(0, size) : std::u16string();
    return status;
}

Status OsBuildNumber(std::uint32_t& build) {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    build = 0;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return Status(kErrorModNotFound);
    // Through a generic function pointer: the entry point's real type differs from FARPROC.
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (getVersion == nullptr)
        return Status(kErrorProcNotFound);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const LONG result = getVersion(&version);
    if (result != 0)
        return Status(static_cast<std::uint32_t>(result));
    build = version.dwBuildNumber;
    return Status();
}

Status ProcessElevation(bool& elevated) {
    elevated = false;
    win32::UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return LastError();
    TOKEN_ELEVATION elevation{};
    DWORD returned = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                             &returned)) {
        return LastError();
    }
    elevated = elevation.TokenIsElevated != 0;
    return Status();
}

}  // namespace platform
