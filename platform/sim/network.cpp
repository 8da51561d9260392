// A scripted adapter table that can overflow the caller's buffer or fail.
#include "platform/network.h"
#include "platform/sim/sim.h"

namespace platform {

Status GetAdapterAddresses(std::uint32_t& bufferSize, std::vector<AdapterEntry>& entries) {
    sim::Network& network = sim::TheMachine().network;
    entries.clear();
    network.bufferSizes.push_back(bufferSize);
    if (network.error != 0)
        return Status(network.error);
    if (network.alwaysOverflows || bufferSize < network.requiredBufferSize) {
        bufferSize = network.alwaysOverflows ? bufferSize * 2 : network.requiredBufferSize;
        return Status(kErrorBufferOverflow);
    }
    entries = network.adapters;
    return Status();
}

}  // namespace platform
