#!/usr/bin/env bash
# Prints every figure of docs/performance.md in one run; asserts nothing.
#   1. frame cost per page, natively (native-release preset, simulated platform);
#   2. the same under Wine over the real platform (the Network page's adapter call);
#   3. screenshot runs of the program against an empty Dear ImGui window, alternating:
#      first present, capture, whole run, peak working set; the executables' sizes;
#   4. processor time of the shown and the minimized window;
#   5. idle and pacing, by scripts/idle-bench.sh where it exists.
# The Windows figures come from a virtual X display (Xvfb, 1920 x 1080, 24 bits, 96 DPI) and
# a Wine prefix of the benchmark's own (build/windows/wineprefix-bench).
#
#     bash scripts/bench.sh [runs]     (screenshot runs of each program, default 10)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
export runs=${1:-10}

echo "=== frame cost, native (native-release)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target qf_frame_bench >/dev/null
"$root/build/native-release/qf_frame_bench"

cmake --preset windows >/dev/null
cmake --build --preset windows \
    --target QuillfarrowOptimizer qf_empty_window qf_shell_bench qf_frame_bench >/dev/null
export root prefix="$root/build/windows/wineprefix-bench"

measure() {
    local bin="$root/build/windows"
    echo "=== frame cost, under Wine over the real platform"
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_frame_bench.exe" 2>/dev/null

    echo "=== screenshot runs against the empty window, $runs each"
    # Wine writes the runs' trace of their present calls to the benchmark's standard error,
    # which they inherit; the benchmark reads the first present from it.
    local trace
    trace=$(mktemp)
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_shell_bench.exe" --runs="$runs" \
        "--trace=Z:$trace" 2>"$trace"
    rm -f "$trace"

    echo "=== processor time of the program's process"
    # User + system time from /proc over 5 s of each phase (Wine reports no times for other
    # processes), of the program in this prefix: another prefix may run one at the same time.
    local ticks_per_second phase pid before after
    ticks_per_second=$(getconf CLK_TCK)
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_shell_bench.exe" --phases | while read -r _ phase; do
        sleep 1
        pid=$(bash "$root/scripts/wine-process.sh" "$prefix" QuillfarrowOptimizer.exe)
        before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
        sleep 5
        after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
        echo "processor time over 5 s, $phase: $(( (after - before) * 1000 / ticks_per_second )) ms"
    done
}
export -f measure
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
"$root/cmake/xvfb-run.sh" bash -c measure

if [ -x "$root/scripts/idle-bench.sh" ]; then
    echo "=== idle and pacing"
    "$root/scripts/idle-bench.sh"
fi
