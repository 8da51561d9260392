// A child program for the command-runner tests:
//   child exit N           exits with code N
//   child spew BYTES N     writes BYTES bytes to standard output, then exits with N
//   child grandchild       starts "child sleep 20000" sharing its handles, then exits 0
//   child sleep MS         sleeps, then exits 0
//   child crash            writes through a null pointer (an unhandled access violation)
//   child iconic CLASS     exits 1 when the window of that class is minimized, 0 when it is
//                          not, 2 when there is none (the journeys read the window's state)
//   child adapter          prints "<adapter name>\t<friendly name>" of the interface a DNS
//                          preset changes (the first one up, else the first listed, never
//                          loopback or tunnel), exits 3 when there is none
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <cstdio>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/handle.h"

namespace {

unsigned long Number(const wchar_t* text) {
    return std::wcstoul(text, nullptr, 10);
}

int StartGrandchild() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" sleep 20000";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info)) {
        return 2;
    }
    const platform::win32::UniqueHandle thread(info.hThread);
    const platform::win32::UniqueHandle process(info.hProcess);
    return 0;
}

int PrintPresetAdapter() {
    ULONG size = 1 << 16;
    std::vector<unsigned char> buffer(size);
    auto* list = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    if (GetAdaptersAddresses(AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
                             list, &size) != NO_ERROR) {
        return 3;
    }
    const IP_ADAPTER_ADDRESSES* chosen = nullptr;
    for (const IP_ADAPTER_ADDRESSES* a = list; a != nullptr; a = a->Next) {
        if (a->IfType == IF_TYPE_SOFTWARE_LOOPBACK || a->IfType == IF_TYPE_TUNNEL ||
            a->FriendlyName == nullptr || a->FriendlyName[0] == L'\0') {
            continue;
        }
        if (chosen == nullptr ||
            (a->OperStatus == IfOperStatusUp && chosen->OperStatus != IfOperStatusUp)) {
            chosen = a;
        }
    }
    if (chosen == nullptr)
        return 3;
    std::printf("%s\t%ls\n", chosen->AdapterName, chosen->FriendlyName);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 100;
    const std::wstring mode = argv[1];
    if (mode == L"exit" && argc > 2)
        return static_cast<int>(Number(argv[2]));
    if (mode == L"spew" && argc > 3) {
        std::vector<char> chunk(65536, 'x');
        unsigned long left = Number(argv[2]);
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        while (left > 0) {
            const DWORD size = left < chunk.size() ? left : static_cast<DWORD>(chunk.size());
            DWORD written = 0;
            if (!WriteFile(out, chunk.data(), size, &written, nullptr))
                return 3;
            left -= written;
        }
        return static_cast<int>(Number(argv[3]));
    }
    if (mode == L"iconic" && argc > 2) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr)
            return 2;
        return IsIconic(window) ? 1 : 0;
    }
    if (mode == L"adapter")
        return PrintPresetAdapter();
    if (mode == L"grandchild")
        return StartGrandchild();
    if (mode == L"sleep" && argc > 2) {
        Sleep(Number(argv[2]));
        return 0;
    }
    if (mode == L"crash") {
        // volatile, so the compiler keeps the faulting store.
        volatile int* volatile nowhere = nullptr;
        *nowhere = 1;
        return 0;
    }
    return 100;
}
