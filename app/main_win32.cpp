// The Windows entry point.
#include <windows.h>

#include "app/startup.h"
#include "state/app_state.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    static_cast<void>(StartSession(TheAppState()));
    return 0;
}
