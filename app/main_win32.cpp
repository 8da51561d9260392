// The Windows entry point.
#include <windows.h>

#include "app/application_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    return RunApplication(instance);
}
