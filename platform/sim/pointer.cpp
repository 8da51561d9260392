// The simulated pointer settings: live values, and the three registry texts Windows writes
// when asked to update the user's profile.
#include "platform/pointer.h"

#include <string>

#include "platform/registry.h"
#include "platform/sim/sim.h"

namespace platform {
namespace {

sim::Bytes Utf16Z(std::int32_t value) {
    const std::string digits = std::to_string(value);
    sim::Bytes bytes;
    for (const char c : digits)
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), 0});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

}  // namespace

Status PointerGetMouse(MouseParameters& parameters) {
    parameters = sim::TheMachine().pointer.live;
    return Status();
}

Status PointerSetMouse(const MouseParameters& parameters, std::uint32_t flags) {
    sim::Pointer& pointer = sim::TheMachine().pointer;
    pointer.calls.push_back({parameters, flags});
    if (pointer.setError != 0)
        return Status(pointer.setError);
    pointer.live = parameters;
    if (flags & kSpifUpdateIniFile) {
        const std::u16string key = u"Control Panel\\Mouse";
        sim::PutRegistryValue(kHkeyCurrentUser, key, u"MouseThreshold1", kRegSz,
                              Utf16Z(parameters[0]));
        sim::PutRegistryValue(kHkeyCurrentUser, key, u"MouseThreshold2", kRegSz,
                              Utf16Z(parameters[1]));
        sim::PutRegistryValue(kHkeyCurrentUser, key, u"MouseSpeed", kRegSz, Utf16Z(parameters[2]));
    }
    return Status();
}

}  // namespace platform
