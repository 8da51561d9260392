#!/usr/bin/env bash
# Makes the Wine prefix given first ready for the tests, once: a copy of a booted prefix
# kept in the machine's cache folder (scripts/cache-dir.sh), made once per Wine version and
# settings, so that no build boots a prefix of its own.
#
#     wine-prefix.sh PREFIX [managed]
#
# Wine places the windows of a prefix itself (`Managed` = `N`): the tests' displays have no
# window manager, and Wine waits 2 s at every managed window's destruction for one to
# answer. With "managed" it leaves them to a window manager, as on a desktop, and Wine's X
# window of the program is then exactly its client area, which the journeys rely on.
#
# Every prefix is set so that a program that crashes ends at once with its exception code
# as exit code: Wine otherwise starts its debugger (winedbg --auto), which can hold the
# crashed process, and whoever waits on it, for a minute or more.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix=$(realpath -m "$1")
managed=N
[ "${2:-}" = managed ] && managed=Y
export WINEDEBUG=${QF_WINEDEBUG:--all}
# No Mono or Gecko install prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Bumped whenever the settings below change, so that existing prefixes take them again.
settings=3
marker=".qf-prefix-settings-$settings-managed-$managed"

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
    set_managed "$1"
}

set_managed() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null
    wineserver --wait
}

# The booted prefix that every new prefix copies.
make_template() {
    local cache version template
    cache=$("$here/../scripts/cache-dir.sh")/wine
    version=$(wine --version | tr -c 'A-Za-z0-9.\n-' _)
    template="$cache/prefix-$version-$settings"
    mkdir -p "$cache"
    (
        flock 8
        if [ ! -f "$template/.qf-template" ]; then
            rm -rf "$template.new"
            WINEPREFIX="$template.new" wineboot --init >/dev/null 2>&1
            WINEPREFIX="$template.new" wineserver --wait
            WINEPREFIX="$template.new" apply_settings N
            touch "$template.new/.qf-template"
            rm -rf "$template" && mv "$template.new" "$template"
        fi
    ) 8>"$template.lock"
    echo "$template"
}

if [ ! -f "$prefix/$marker" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            template=$(make_template)
            rm -rf "$prefix" && cp -a "$template" "$prefix"
            rm -f "$prefix/.qf-template"
            [ "$managed" = N ] || WINEPREFIX=$prefix set_managed "$managed"
        elif [ ! -f "$prefix/$marker" ]; then
            WINEPREFIX=$prefix apply_settings "$managed"
        fi
        rm -f "$prefix"/.qf-prefix-settings-*
        touch "$prefix/$marker"
    ) 9>"$prefix.lock"
fi
