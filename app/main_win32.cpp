// The Windows entry point.
#include <windows.h>

#include "app/application_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // Before anything else: from here on a library named without a path, by us or by any
    // library we use, comes from the system directory, never from the folder the program was
    // started from (often Downloads, run as administrator). Where this fails the program
    // still runs: its own loads name the system directory anyway.
    static_cast<void>(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
    return RunApplication(instance);
}
