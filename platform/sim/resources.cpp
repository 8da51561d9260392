#include "platform/resources.h"
#include "platform/sim/sim.h"

namespace platform {

std::span<const std::uint8_t> RcDataResource(int id) {
    const auto& resources = sim::TheMachine().resources;
    const auto found = resources.find(id);
    if (found == resources.end())
        return {};
    return found->second;
}

}  // namespace platform
