// A program that loads libraries the ordinary way, for the DLL-planting test to prove that
// a planted DLL would be loaded without the program's protection:
//   qf_plain_imports                     only its load-time import of dwmapi.dll
//   qf_plain_imports load NAME           LoadLibraryW(NAME) as well, with the default search
//   qf_plain_imports system-only NAME    the same after SetDefaultDllDirectories(SYSTEM32)
// Exits 0 when it ran (whether NAME loaded or not), 2 on wrong arguments.
#include <windows.h>
#include <dwmapi.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    BOOL composition = FALSE;
    // The call keeps the import; its answer does not matter.
    static_cast<void>(DwmIsCompositionEnabled(&composition));
    if (argc == 1)
        return 0;
    if (argc != 3)
        return 2;
    const std::wstring mode = argv[1];
    if (mode == L"system-only")
        static_cast<void>(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
    else if (mode != L"load")
        return 2;
    // Left loaded until exit: only the load itself is the point.
    static_cast<void>(LoadLibraryW(argv[2]));
    return 0;
}
