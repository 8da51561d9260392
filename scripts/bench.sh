#!/usr/bin/env bash
# Builds the Windows program and prints the shell's figures, measured under Wine in a
# virtual display with a prefix of the benchmark's own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target qf_shell_bench >/dev/null
export root prefix="$root/build/windows/wineprefix-bench"

measure() {
    local bench="$root/build/windows/qf_shell_bench.exe"
    "$root/cmake/wine-run.sh" "$prefix" "$bench"
    # Processor time (user + system) of the program, read from /proc over 5 s of each phase.
    local ticks_per_second phase pid before after
    ticks_per_second=$(getconf CLK_TCK)
    "$root/cmake/wine-run.sh" "$prefix" "$bench" --phases | while read -r _ phase; do
        sleep 1
        pid=$(pgrep -n -x QuillfarrowOpti)
        before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
        sleep 5
        after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
        echo "processor time over 5 s, $phase: $(( (after - before) * 1000 / ticks_per_second )) ms"
    done
}
export -f measure
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
exec "$root/cmake/xvfb-run.sh" bash -c measure
