// System Restore through SrClient.dll and WMI.
#include "platform/restore_point.h"

#include <windows.h>

#include <srrestoreptapi.h>
#include <wbemcli.h>

#include <algorithm>
#include <string>

#include "platform/win32/handle.h"
#include "platform/win32/system_library.h"

namespace platform {
namespace {

using SetRestorePoint = BOOL(WINAPI*)(PRESTOREPOINTINFOW, PSTATEMGRSTATUS);

}  // namespace

ComApartment::ComApartment() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // S_FALSE: this thread was in the apartment already, and still owes one CoUninitialize.
    entered_ = SUCCEEDED(result);
    status_ = entered_ ? Status() : Status(static_cast<std::uint32_t>(result));
}

ComApartment::~ComApartment() {
    if (entered_)
        CoUninitialize();
}

Status RestorePointHighestSequence(std::int64_t& sequence) {
    sequence = 0;
    win32::UniqueCom<IWbemLocator> locator;
    HRESULT result = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWbemLocator, reinterpret_cast<void**>(locator.put()));
    if (FAILED(result))
        return Status(static_cast<std::uint32_t>(result));
    win32::UniqueCom<IWbemServices> services;
    const win32::UniqueBstr space(SysAllocString(L"root\\default"));
    result = locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                    services.put());
    if (FAILED(result))
        return Status(static_cast<std::uint32_t>(result));
    // The process may run at the identify level; the query needs impersonation.
    result =
        CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                          RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    if (FAILED(result))
        return Status(static_cast<std::uint32_t>(result));
    win32::UniqueCom<IEnumWbemClassObject> rows;
    const win32::UniqueBstr language(SysAllocString(L"WQL"));
    const win32::UniqueBstr query(SysAllocString(L"SELECT SequenceNumber FROM SystemRestore"));
    result = services->ExecQuery(language.get(), query.get(),
                                 WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                 rows.put());
    if (FAILED(result))
        return Status(static_cast<std::uint32_t>(result));
    for (;;) {
        win32::UniqueCom<IWbemClassObject> row;
        ULONG returned = 0;
        result = rows->Next(static_cast<LONG>(WBEM_INFINITE), 1, row.put(), &returned);
        if (FAILED(result))
            return Status(static_cast<std::uint32_t>(result));
        if (returned == 0)
            return Status();
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(row->Get(L"SequenceNumber", 0, &value, nullptr, nullptr)) &&
            SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I8))) {
            sequence = std::max<std::int64_t>(sequence, value.llVal);
        }
        VariantClear(&value);
    }
}

Status RestorePointSet(const std::u16string& description, std::uint32_t& smgrStatus,
                       std::int64_t& sequence) {
    smgrStatus = 0;
    sequence = 0;
    win32::UniqueModule library = win32::LoadSystemLibrary(L"SrClient.dll");
    if (!library)
        library = win32::LoadSystemLibrary(L"sfc.dll");
    if (!library)
        return Status(GetLastError());
    const HMODULE module = library.get();
    // Through a generic function pointer: the entry point's real type differs from FARPROC.
    const auto set = reinterpret_cast<SetRestorePoint>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "SRSetRestorePointW")));
    if (set == nullptr)
        return Status(GetLastError());
    RESTOREPOINTINFOW request{};
    request.dwEventType = kBeginSystemChange;
    request.dwRestorePtType = kModifySettings;
    request.llSequenceNumber = 0;
    const std::size_t units = std::min<std::size_t>(description.size(), MAX_DESC_W - 1);
    std::copy_n(description.begin(), units, request.szDescription);
    STATEMGRSTATUS status{};
    const BOOL accepted = set(&request, &status);
    const DWORD error = GetLastError();
    smgrStatus = status.nStatus;
    sequence = status.llSequenceNumber;
    if (!accepted)
        return Status(status.nStatus != 0 ? status.nStatus : (error != 0 ? error : 1));
    return Status();
}

}  // namespace platform
