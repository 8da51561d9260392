// Reading a service's configured start type with the service manager's own calls, so Wine
// tests check what the machine holds rather than what the code under test reports.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handle.h"

inline constexpr DWORD kNoSuchService = 99;

// The start type, kNoSuchService when the service cannot be opened, 98 when its
// configuration cannot be read.
inline DWORD ConfiguredStartType(SC_HANDLE manager, const std::wstring& name) {
    const platform::win32::UniqueServiceHandle service(
        OpenServiceW(manager, name.c_str(), SERVICE_QUERY_CONFIG));
    if (!service)
        return kNoSuchService;
    DWORD needed = 0;
    QueryServiceConfigW(service.get(), nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    const DWORD startType =
        QueryServiceConfigW(service.get(), config, needed, &needed) ? config->dwStartType : 98;
    return startType;
}
