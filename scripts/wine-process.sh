#!/usr/bin/env bash
# Prints the Linux process id of the program NAME.exe that runs under Wine in the prefix
# PREFIX, for reading its processor time from /proc. The name alone is not enough: another
# prefix on the machine may run a program of the same name at the same time (the tests do),
# so the process must also carry WINEPREFIX=PREFIX in its environment. Fails unless exactly
# one process matches.
#
#     bash scripts/wine-process.sh PREFIX NAME.exe
set -euo pipefail
prefix=$1
name=$2
# /proc keeps the first 15 characters of the file name as the process's name.
found=()
for pid in $(pgrep -x -u "$(id -u)" "${name:0:15}" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -Fxq "WINEPREFIX=$prefix"; then
        found+=("$pid")
    fi
done
if [ "${#found[@]}" -ne 1 ]; then
    echo "wine-process: ${#found[@]} processes named $name in $prefix" >&2
    exit 1
fi
echo "${found[0]}"
