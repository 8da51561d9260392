#!/usr/bin/env bash
# Test emulator for the Windows build: runs a Windows program under Wine in the
# project-local prefix given as the first argument, creating the prefix on first use.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
# No Mono or Gecko install prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wineboot --init >/dev/null 2>&1
            wineserver --wait
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
