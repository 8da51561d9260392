#!/usr/bin/env bash
# Test emulator for the Windows build: runs a Windows program under Wine in the
# project-local prefix given as the first argument, creating the prefix on first use.
#
# Every prefix is set so that a program that crashes ends at once with its exception code
# as exit code: Wine otherwise starts its debugger (winedbg --auto), which can hold the
# crashed process, and whoever waits on it, for a minute or more.
set -euo pipefail
export WINEPREFIX=$1
shift
# Wine's debug channels stay silent unless QF_WINEDEBUG names some for a diagnosis.
export WINEDEBUG=${QF_WINEDEBUG:--all}
# No Mono or Gecko install prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Bumped whenever the settings below change, so that existing prefixes take them again.
settings_marker="$WINEPREFIX/.qf-prefix-settings-2"

apply_settings() {
    # An empty Debugger with Auto 1: no debugger starts (a missing Debugger value would make
    # Wine fall back to winedbg) and no "debug it?" box appears (Auto 0 would ask), so the
    # unhandled exception ends the process with the exception code.
    local aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
    wine reg add "$aedebug" /v Debugger /t REG_SZ /d '' /f >/dev/null
    wine reg add "$aedebug" /v Auto /t REG_SZ /d 1 /f >/dev/null
    # No crash dialog either, should a debugger still be started some other way.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
    # 96 DPI whatever the X server reports, so that every picture the tests check has the
    # sizes of UI scale 1.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
    wineserver --wait
}

if [ ! -f "$settings_marker" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wineboot --init >/dev/null 2>&1
            wineserver --wait
        fi
        if [ ! -f "$settings_marker" ]; then
            apply_settings
            touch "$settings_marker"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
