// The service control manager, shaped like OpenSCManagerW, OpenServiceW,
// QueryServiceConfigW (asked for its size, then read), ChangeServiceConfigW,
// ControlService, StartServiceW and CloseServiceHandle.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"
#include "platform/unique_handle.h"

namespace platform {

inline constexpr std::uint32_t kScManagerConnect = 0x0001;
inline constexpr std::uint32_t kServiceQueryConfig = 0x0001;
inline constexpr std::uint32_t kServiceChangeConfig = 0x0002;
inline constexpr std::uint32_t kServiceQueryStatus = 0x0004;
inline constexpr std::uint32_t kServiceStart = 0x0010;
inline constexpr std::uint32_t kServiceStop = 0x0020;
inline constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr std::uint32_t kServiceAutoStart = 2;
inline constexpr std::uint32_t kServiceDisabled = 4;

// Closes a handle; only the owning type calls it.
void ServiceCloseHandle(std::intptr_t handle);

struct ServiceHandleTraits {
    static constexpr std::intptr_t kNone = 0;
    static void Close(std::intptr_t handle) { ServiceCloseHandle(handle); }
};
// A manager or service handle, closed when it goes out of scope.
using ServiceHandle = UniqueHandle<ServiceHandleTraits>;

// The local machine's default database.
[[nodiscard]] Status ServiceOpenManager(std::uint32_t access, ServiceHandle& manager);
// ERROR_SERVICE_DOES_NOT_EXIST (1060) when no such service is installed.
[[nodiscard]] Status ServiceOpen(const ServiceHandle& manager, const std::u16string& name,
                                 std::uint32_t access, ServiceHandle& service);
// The configured start type (0 boot … 4 disabled).
[[nodiscard]] Status ServiceQueryStartType(const ServiceHandle& service, std::uint32_t& startType);
// Changes the start type only: every other setting is passed as "no change".
[[nodiscard]] Status ServiceChangeStartType(const ServiceHandle& service, std::uint32_t startType);
[[nodiscard]] Status ServiceSendStop(const ServiceHandle& service);
[[nodiscard]] Status ServiceStartNow(const ServiceHandle& service);

}  // namespace platform
