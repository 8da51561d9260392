// The service control manager through advapi32.
#include "platform/services.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

SC_HANDLE Native(const ServiceHandle& handle) {
    return reinterpret_cast<SC_HANDLE>(handle.get());
}

Status LastError() {
    return Status(GetLastError());
}

}  // namespace

Status ServiceOpenManager(std::uint32_t access, ServiceHandle& manager) {
    manager.reset();
    SC_HANDLE opened = OpenSCManagerW(nullptr, nullptr, access);
    if (opened == nullptr)
        return LastError();
    manager = ServiceHandle(reinterpret_cast<std::intptr_t>(opened));
    return Status();
}

Status ServiceOpen(const ServiceHandle& manager, const std::u16string& name, std::uint32_t access,
                   ServiceHandle& service) {
    service.reset();
    SC_HANDLE opened = OpenServiceW(Native(manager), win32::Wide(name), access);
    if (opened == nullptr)
        return LastError();
    service = ServiceHandle(reinterpret_cast<std::intptr_t>(opened));
    return Status();
}

Status ServiceQueryStartType(const ServiceHandle& service, std::uint32_t& startType) {
    DWORD needed = 0;
    QueryServiceConfigW(Native(service), nullptr, 0, &needed);
    std::vector<unsigned char> buffer(needed == 0 ? 1 : needed, 0);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!QueryServiceConfigW(Native(service), config, static_cast<DWORD>(buffer.size()), &needed)) {
        return LastError();
    }
    startType = config->dwStartType;
    return Status();
}

Status ServiceChangeStartType(const ServiceHandle& service, std::uint32_t startType) {
    return ChangeServiceConfigW(Native(service), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
               ? Status()
               : LastError();
}

Status ServiceSendStop(const ServiceHandle& service) {
    SERVICE_STATUS status{};
    return ControlService(Native(service), SERVICE_CONTROL_STOP, &status) ? Status() : LastError();
}

Status ServiceStartNow(const ServiceHandle& service) {
    return StartServiceW(Native(service), 0, nullptr) ? Status() : LastError();
}

void ServiceCloseHandle(std::intptr_t handle) {
    win32::UniqueServiceHandle(reinterpret_cast<SC_HANDLE>(handle)).reset();
}

}  // namespace platform
