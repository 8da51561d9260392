// Network interfaces through iphlpapi, loaded from the system directory.
#include "platform/network.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace platform {

Status GetAdapterAddresses(std::uint32_t& bufferSize, std::vector<AdapterEntry>& entries) {
    entries.clear();
    static const auto getAddresses = win32::SystemFunction<decltype(&::GetAdaptersAddresses)>(
        L"iphlpapi.dll", "GetAdaptersAddresses");
    if (getAddresses == nullptr)
        return Status(ERROR_MOD_NOT_FOUND);
    std::vector<unsigned char> buffer(bufferSize, 0);
    ULONG size = bufferSize;
    auto* first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    const ULONG result = getAddresses(
        AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
        nullptr, buffer.empty() ? nullptr : first, &size);
    bufferSize = size;
    if (result != NO_ERROR)
        return Status(result);
    for (const IP_ADAPTER_ADDRESSES* entry = first; entry != nullptr; entry = entry->Next) {
        AdapterEntry copy;
        if (entry->AdapterName != nullptr)
            copy.adapterName = entry->AdapterName;
        if (entry->FriendlyName != nullptr)
            copy.friendlyName = win32::FromWide(entry->FriendlyName);
        copy.ifType = entry->IfType;
        copy.operStatus = static_cast<std::uint32_t>(entry->OperStatus);
        entries.push_back(std::move(copy));
    }
    return Status();
}

}  // namespace platform
