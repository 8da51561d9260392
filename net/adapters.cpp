#include "net/adapters.h"

#include <algorithm>

#include "platform/network.h"
#include "state/text.h"

Result ListAdapters(std::vector<NetAdapter>& adapters) {
    adapters.clear();
    std::uint32_t size = 16384;
    std::vector<platform::AdapterEntry> entries;
    platform::Status status = platform::GetAdapterAddresses(size, entries);
    // The size asked for is tried once; a table that grew again meanwhile gives nothing.
    if (status.Code() == platform::kErrorBufferOverflow) {
        status = platform::GetAdapterAddresses(size, entries);
    }
    if (!status.Ok())
        return Refusal::Call("GetAdaptersAddresses", status.Code());
    for (const platform::AdapterEntry& entry : entries) {
        if (entry.ifType == platform::kIfTypeSoftwareLoopback ||
            entry.ifType == platform::kIfTypeTunnel || entry.friendlyName.empty()) {
            continue;
        }
        adapters.push_back({entry.friendlyName, ToUtf16(entry.adapterName),
                            entry.operStatus == platform::kIfOperStatusUp});
    }
    std::stable_sort(adapters.begin(), adapters.end(),
                     [](const NetAdapter& a, const NetAdapter& b) { return a.IsUp && !b.IsUp; });
    return {};
}

std::vector<NetAdapter> DiscoverAdapters() {
    std::vector<NetAdapter> adapters;
    static_cast<void>(ListAdapters(adapters));
    return adapters;
}

const NetAdapter* ActiveAdapter(const std::vector<NetAdapter>& adapters) {
    const auto up = std::find_if(adapters.begin(), adapters.end(),
                                 [](const NetAdapter& adapter) { return adapter.IsUp; });
    return up == adapters.end() ? nullptr : &*up;
}
