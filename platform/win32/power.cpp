// Power schemes through powrprof, loaded from the system directory; GUID text through ole32.
#include "platform/power.h"

#include <windows.h>
#include <objbase.h>
#include <powrprof.h>

#include <cstring>

#include "platform/win32/handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

GUID Native(const Guid& guid) {
    GUID native{guid.data1, guid.data2, guid.data3, {}};
    std::memcpy(native.Data4, guid.data4, sizeof native.Data4);
    return native;
}

Guid Ours(const GUID& native) {
    Guid guid{native.Data1, native.Data2, native.Data3, {}};
    std::memcpy(guid.data4, native.Data4, sizeof guid.data4);
    return guid;
}

}  // namespace

Status PowerActiveScheme(Guid& scheme) {
    static const auto getActive = win32::SystemFunction<decltype(&::PowerGetActiveScheme)>(
        L"powrprof.dll", "PowerGetActiveScheme");
    if (getActive == nullptr)
        return Status(ERROR_MOD_NOT_FOUND);
    win32::UniqueLocal<GUID> active;
    const DWORD result = getActive(nullptr, active.put());
    if (result == ERROR_SUCCESS && active)
        scheme = Ours(*active.get());
    if (result == ERROR_SUCCESS && !active)
        return Status(kErrorFileNotFound);
    return Status(result);
}

Status PowerSetActiveScheme(const Guid& scheme) {
    static const auto setActive = win32::SystemFunction<decltype(&::PowerSetActiveScheme)>(
        L"powrprof.dll", "PowerSetActiveScheme");
    if (setActive == nullptr)
        return Status(ERROR_MOD_NOT_FOUND);
    const GUID native = Native(scheme);
    return Status(setActive(nullptr, &native));
}

int GuidToText(const Guid& guid, char16_t* buffer, int capacity) {
    return StringFromGUID2(Native(guid), reinterpret_cast<LPOLESTR>(buffer), capacity);
}

Status GuidFromText(const std::u16string& text, Guid& guid) {
    CLSID parsed{};
    const HRESULT result = CLSIDFromString(const_cast<LPOLESTR>(win32::Wide(text)), &parsed);
    if (SUCCEEDED(result))
        guid = Ours(parsed);
    return Status(static_cast<std::uint32_t>(result));
}

}  // namespace platform
