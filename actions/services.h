// Service start types that can be undone: the prior start type is captured before a service
// is disabled, and put back on revert.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "state/app_state.h"

// True when the configuration was read, and when the service is not installed (then
// `existed` is false); false when the manager, the service or its configuration cannot be
// opened or read.
bool QueryService(const std::u16string& name, ServiceCapture& capture);
bool SetServiceStartType(const std::u16string& name, std::uint32_t startType);
// True when the stop request was sent, whatever its outcome, or the service is absent.
bool StopService(const std::u16string& name);
// Asks a service to start; the result is not waited for.
void StartService(const std::u16string& name);
bool RestoreServiceStartType(const ServiceCapture& capture);
// Capture into ServiceBackups[id], disable, stop; true when captured and disabled.
bool DisableServiceCaptured(AppState& state, std::string_view id, const std::u16string& name);
