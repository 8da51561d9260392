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
[[nodiscard]] bool QueryService(const std::u16string& name, ServiceCapture& capture);
// True when the start type was changed.
[[nodiscard]] bool SetServiceStartType(const std::u16string& name, std::uint32_t startType);
// True when the stop request was sent, whatever its outcome, or the service is absent.
[[nodiscard]] bool StopService(const std::u16string& name);
// Asks a service to start; the result is not waited for.
void RequestServiceStart(const std::u16string& name);
// True when nothing is left to restore (the capture found no service, the service has been
// removed since, or its start type already is the captured one) or the start type was set
// back; false when it differs and cannot be changed, as without administrator rights.
[[nodiscard]] bool RestoreServiceStartType(const ServiceCapture& capture);
// Capture into ServiceBackups[id], disable, stop; true when captured and disabled.
[[nodiscard]] bool DisableServiceCaptured(AppState& state, std::string_view id,
                                          const std::u16string& name);
