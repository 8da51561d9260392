// The simulated service control manager: installed services with start types, absent
// services answering 1060, and services that refuse some access rights.
#include "platform/services.h"

#include <cstdio>

#include "platform/sim/sim.h"

namespace platform {
namespace {

sim::ServiceManager& Scm() {
    return sim::TheMachine().serviceManager;
}

void Record(const std::string& call) {
    Scm().calls.push_back(call);
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

const sim::ServiceManager::OpenHandle* Lookup(const ServiceHandle& handle) {
    const auto found = Scm().open.find(handle.get());
    return found == Scm().open.end() ? nullptr : &found->second;
}

// The service behind a handle that was opened with all of `access`.
sim::Service* Granted(const ServiceHandle& handle, std::uint32_t access, Status& status) {
    const sim::ServiceManager::OpenHandle* open = Lookup(handle);
    if (open == nullptr || open->name.empty()) {
        status = Status(kErrorInvalidHandle);
        return nullptr;
    }
    if ((open->access & access) != access) {
        status = Status(kErrorAccessDenied);
        return nullptr;
    }
    status = Status();
    return &Scm().services.at(open->name);
}

}  // namespace

Status ServiceOpenManager(std::uint32_t access, ServiceHandle& manager) {
    manager.reset();
    if (Scm().managerFails)
        return Status(kErrorAccessDenied);
    const std::intptr_t handle = Scm().nextHandle++;
    Scm().open[handle] = {u"", access};
    manager = ServiceHandle(handle);
    return Status();
}

Status ServiceOpen(const ServiceHandle& manager, const std::u16string& name, std::uint32_t access,
                   ServiceHandle& service) {
    service.reset();
    const sim::ServiceManager::OpenHandle* open = Lookup(manager);
    if (open == nullptr || !open->name.empty())
        return Status(kErrorInvalidHandle);
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", access);
    Record("open " + Narrow(name) + " " + text);
    const auto found = Scm().services.find(name);
    if (found == Scm().services.end())
        return Status(kErrorServiceDoesNotExist);
    if (found->second.refusedAccess & access)
        return Status(kErrorAccessDenied);
    const std::intptr_t handle = Scm().nextHandle++;
    Scm().open[handle] = {found->first, access};
    service = ServiceHandle(handle);
    return Status();
}

Status ServiceQueryStartType(const ServiceHandle& handle, std::uint32_t& startType) {
    Status status;
    sim::Service* service = Granted(handle, kServiceQueryConfig, status);
    if (service == nullptr)
        return status;
    if (service->configUnreadable)
        return Status(kErrorAccessDenied);
    startType = service->startType;
    return Status();
}

Status ServiceChangeStartType(const ServiceHandle& handle, std::uint32_t startType) {
    Status status;
    sim::Service* service = Granted(handle, kServiceChangeConfig, status);
    if (service == nullptr)
        return status;
    Record("set " + Narrow(Lookup(handle)->name) + " " + std::to_string(startType));
    service->startType = startType;
    return Status();
}

Status ServiceSendStop(const ServiceHandle& handle) {
    Status status;
    sim::Service* service = Granted(handle, kServiceStop, status);
    if (service == nullptr)
        return status;
    Record("stop " + Narrow(Lookup(handle)->name));
    if (!service->running)
        return Status(1062);  // ERROR_SERVICE_NOT_ACTIVE
    service->running = false;
    return Status();
}

Status ServiceStartNow(const ServiceHandle& handle) {
    Status status;
    sim::Service* service = Granted(handle, kServiceStart, status);
    if (service == nullptr)
        return status;
    Record("start " + Narrow(Lookup(handle)->name));
    if (service->startType == kServiceDisabled)
        return Status(1058);  // ERROR_SERVICE_DISABLED
    service->running = true;
    return Status();
}

void ServiceCloseHandle(std::intptr_t handle) {
    Scm().open.erase(handle);
}

}  // namespace platform
