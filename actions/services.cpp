#include "actions/services.h"

#include "platform/services.h"

namespace {

// Opens the manager and the service; the status of the service's open, or of the manager's.
platform::Status OpenManagerAndService(const std::u16string& name, std::uint32_t access,
                                       platform::ServiceHandle& manager,
                                       platform::ServiceHandle& service) {
    const platform::Status opened =
        platform::ServiceOpenManager(platform::kScManagerConnect, manager);
    if (!opened.ok())
        return opened;
    return platform::ServiceOpen(manager, name, access, service);
}

bool IsAbsent(const platform::Status& status) {
    return status.code() == platform::kErrorServiceDoesNotExist;
}

}  // namespace

bool QueryService(const std::u16string& name, ServiceCapture& capture) {
    capture = ServiceCapture{name, false, 0};
    platform::ServiceHandle manager;
    if (!platform::ServiceOpenManager(platform::kScManagerConnect, manager).ok())
        return false;
    platform::ServiceHandle service;
    const platform::Status opened =
        platform::ServiceOpen(manager, name, platform::kServiceQueryConfig, service);
    if (!opened.ok())
        return IsAbsent(opened);
    std::uint32_t startType = 0;
    if (!platform::ServiceQueryStartType(service, startType).ok())
        return false;
    capture.existed = true;
    capture.startType = startType;
    return true;
}

bool SetServiceStartType(const std::u16string& name, std::uint32_t startType) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    if (!OpenManagerAndService(name, platform::kServiceChangeConfig | platform::kServiceStart,
                               manager, service)
             .ok()) {
        return false;
    }
    return platform::ServiceChangeStartType(service, startType).ok();
}

bool StopService(const std::u16string& name) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    const platform::Status opened = OpenManagerAndService(
        name, platform::kServiceStop | platform::kServiceQueryStatus, manager, service);
    if (!opened.ok())
        return manager.valid() && IsAbsent(opened);
    // No wait for the stopped state; a refused stop is not noticed.
    static_cast<void>(platform::ServiceSendStop(service));
    return true;
}

void RequestServiceStart(const std::u16string& name) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    if (OpenManagerAndService(name, platform::kServiceStart, manager, service).ok()) {
        static_cast<void>(platform::ServiceStartNow(service));
    }
}

bool RestoreServiceStartType(const ServiceCapture& capture) {
    if (!capture.existed)
        return true;
    // Removed since the capture, or already back as it was: nothing is left to restore,
    // which also lets a change that changed nothing be undone without rights.
    ServiceCapture current;
    if (QueryService(capture.serviceName, current) &&
        (!current.existed || current.startType == capture.startType)) {
        return true;
    }
    return SetServiceStartType(capture.serviceName, capture.startType);
}

bool DisableServiceCaptured(AppState& state, std::string_view id, const std::u16string& name) {
    ServiceCapture capture;
    if (!QueryService(name, capture))
        return false;
    CaptureList(state.ServiceBackups, id).push_back(capture);
    const bool disabled = SetServiceStartType(name, platform::kServiceDisabled);
    static_cast<void>(StopService(name));
    return disabled;
}
