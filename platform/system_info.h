// Facts about the machine and its load, shaped like GetSystemTimes, GlobalMemoryStatusEx,
// GetDiskFreeSpaceExW, GetLogicalProcessorInformation, GetSystemInfo, GetComputerNameW,
// RtlGetVersion (resolved from the loaded ntdll at run time) and the process token's
// elevation.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace platform {

inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorModNotFound = 126;
inline constexpr std::uint32_t kErrorProcNotFound = 127;
// The size of one SYSTEM_LOGICAL_PROCESSOR_INFORMATION entry in a 64-bit process, and where
// its relationship (a 32-bit value) sits.
inline constexpr std::uint32_t kProcessorInformationEntrySize = 32;
inline constexpr std::uint32_t kProcessorInformationRelationshipOffset = 8;
inline constexpr std::uint32_t kRelationProcessorCore = 0;

// In the 100-nanosecond units of FILETIME, each joined from its two halves. Idle time is
// counted inside kernel time.
struct ProcessorTimes {
    std::uint64_t idle = 0;
    std::uint64_t kernel = 0;
    std::uint64_t user = 0;
};

// The physical-memory figures of MEMORYSTATUSEX, in bytes.
struct MemoryStatus {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
};

struct DiskSpace {
    std::uint64_t freeBytesAvailableToCaller = 0;
    std::uint64_t totalBytes = 0;
};

[[nodiscard]] Status SystemTimes(ProcessorTimes& times);
// A zero-filled MEMORYSTATUSEX whose length field is 64.
[[nodiscard]] Status PhysicalMemory(MemoryStatus& status);
// `root` is a drive root such as "C:\".
[[nodiscard]] Status DiskFreeSpace(const std::u16string& root, DiskSpace& space);
// With `buffer` null: ERROR_INSUFFICIENT_BUFFER and `length` set to the bytes needed.
// Otherwise fills at most `length` bytes (aligned for the entries) and sets `length` to the
// bytes returned.
[[nodiscard]] Status LogicalProcessorInformation(std::uint8_t* buffer, std::uint32_t& length);
// dwNumberOfProcessors of GetSystemInfo, which cannot fail.
std::uint32_t ProcessorCount();
// Into a zeroed buffer of `capacity` UTF-16 units, the terminating NUL included
// (ERROR_BUFFER_OVERFLOW when the name does not fit).
[[nodiscard]] Status ComputerName(std::uint32_t capacity, std::u16string& name);
// The build number of an OSVERSIONINFOW whose size field is 276. ERROR_MOD_NOT_FOUND or
// ERROR_PROC_NOT_FOUND when ntdll or the entry point is missing; a call that does not
// succeed gives its NTSTATUS as the code, which no Win32 error code can equal.
[[nodiscard]] Status OsBuildNumber(std::uint32_t& build);
// Opens the process token for TOKEN_QUERY, reads its TokenElevation (4 bytes, non-zero when
// elevated) and closes it.
[[nodiscard]] Status ProcessElevation(bool& elevated);

}  // namespace platform
