// Service start types that can be undone: the prior start type is captured before a service
// is disabled, and put back on revert.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "state/refusal.h"

// Each refusal names the service call that was refused (OpenSCManagerW, OpenServiceW,
// QueryServiceConfigW, ChangeServiceConfigW) and its code.

// Ok when the configuration was read, and when the service is not installed (then
// `existed` is false); refused when the manager, the service or its configuration cannot be
// opened or read.
[[nodiscard]] Result QueryService(const std::u16string& name, ServiceCapture& capture);
// Ok when the start type was changed.
[[nodiscard]] Result SetServiceStartType(const std::u16string& name, std::uint32_t startType);
// Ok when the stop request was sent, whatever its outcome, or the service is absent.
[[nodiscard]] Result StopService(const std::u16string& name);
// Asks a service to start; the result is not waited for.
void RequestServiceStart(const std::u16string& name);
// Ok when nothing is left to restore (the capture found no service, the service has been
// removed since, or its start type already is the captured one) or the start type was set
// back; refused when it differs and cannot be changed, as without administrator rights.
[[nodiscard]] Result RestoreServiceStartType(const ServiceCapture& capture);
// Capture into ServiceBackups[id], disable, stop; ok when captured and disabled.
[[nodiscard]] Result DisableServiceCaptured(AppState& state, std::string_view id,
                                            const std::u16string& name);
