#include "actions/services.h"

#include "platform/services.h"

namespace {

bool IsAbsent(const platform::Status& status) {
    return status.Code() == platform::kErrorServiceDoesNotExist;
}

Result OpenManager(platform::ServiceHandle& manager) {
    const platform::Status opened =
        platform::ServiceOpenManager(platform::kScManagerConnect, manager);
    return opened.Ok() ? Result() : Refusal::Call("OpenSCManagerW", opened.Code());
}

Result OpenOneService(const platform::ServiceHandle& manager, const std::u16string& name,
                      std::uint32_t access, platform::ServiceHandle& service) {
    const platform::Status opened = platform::ServiceOpen(manager, name, access, service);
    return opened.Ok() ? Result() : Refusal::Call("OpenServiceW", opened.Code());
}

}  // namespace

Result QueryService(const std::u16string& name, ServiceCapture& capture) {
    capture = ServiceCapture{name, false, 0};
    platform::ServiceHandle manager;
    if (Result opened = OpenManager(manager); !opened.Ok())
        return opened;
    platform::ServiceHandle service;
    const platform::Status opened =
        platform::ServiceOpen(manager, name, platform::kServiceQueryConfig, service);
    if (IsAbsent(opened))
        return {};
    if (!opened.Ok())
        return Refusal::Call("OpenServiceW", opened.Code());
    std::uint32_t startType = 0;
    if (const platform::Status read = platform::ServiceQueryStartType(service, startType);
        !read.Ok()) {
        return Refusal::Call("QueryServiceConfigW", read.Code());
    }
    capture.existed = true;
    capture.startType = startType;
    return {};
}

Result SetServiceStartType(const std::u16string& name, std::uint32_t startType) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    if (Result opened = OpenManager(manager); !opened.Ok())
        return opened;
    if (Result opened = OpenOneService(
            manager, name, platform::kServiceChangeConfig | platform::kServiceStart, service);
        !opened.Ok()) {
        return opened;
    }
    if (const platform::Status changed = platform::ServiceChangeStartType(service, startType);
        !changed.Ok()) {
        return Refusal::Call("ChangeServiceConfigW", changed.Code());
    }
    return {};
}

Result StopService(const std::u16string& name) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    if (Result opened = OpenManager(manager); !opened.Ok())
        return opened;
    const platform::Status opened = platform::ServiceOpen(
        manager, name, platform::kServiceStop | platform::kServiceQueryStatus, service);
    if (IsAbsent(opened))
        return {};
    if (!opened.Ok())
        return Refusal::Call("OpenServiceW", opened.Code());
    // No wait for the stopped state; a refused stop is not noticed.
    static_cast<void>(platform::ServiceSendStop(service));
    return {};
}

void RequestServiceStart(const std::u16string& name) {
    platform::ServiceHandle manager;
    platform::ServiceHandle service;
    if (OpenManager(manager).Ok() &&
        OpenOneService(manager, name, platform::kServiceStart, service).Ok()) {
        static_cast<void>(platform::ServiceStartNow(service));
    }
}

Result RestoreServiceStartType(const ServiceCapture& capture) {
    if (!capture.existed)
        return {};
    // Removed since the capture, or already back as it was: nothing is left to restore,
    // which also lets a change that changed nothing be undone without rights.
    ServiceCapture current;
    if (QueryService(capture.serviceName, current).Ok() &&
        (!current.existed || current.startType == capture.startType)) {
        return {};
    }
    return SetServiceStartType(capture.serviceName, capture.startType);
}

Result DisableServiceCaptured(AppState& state, std::string_view id, const std::u16string& name) {
    ServiceCapture capture;
    if (Result queried = QueryService(name, capture); !queried.Ok())
        return queried;
    CaptureList(state.ServiceBackups, id).push_back(capture);
    Result disabled = SetServiceStartType(name, platform::kServiceDisabled);
    static_cast<void>(StopService(name));
    return disabled;
}
