#!/usr/bin/env bash
# Prints every figure of docs/performance.md's latest measurement in one run; asserts nothing.
#   1. the machine and the build;
#   2. frame cost per page, natively (native-release preset, simulated platform), and how
#      many times over each page fills the display;
#   3. the same under Wine over the real platform (the Network page's adapter call);
#   4. what the pacing has under Wine: the reported refresh rate, the frame timer's overshoot;
#   5. screenshot runs of the program and of an empty Dear ImGui window in pairs: first
#      present, capture, shutdown, whole run, peak working set;
#   6. the executables' sizes;
#   7. processor time of the shown and the minimized window;
#   8. idle and pacing, by scripts/idle-bench.sh;
#   9. how long the run took and the load average while it ran: the machine's cores may be
#      shared, and every figure drifts with what else runs.
# Each section's heading gives the load average when it started. The Windows figures come
# from a virtual X display (Xvfb, 1920 x 1080, 24 bits, 96 DPI) and a Wine prefix of the
# benchmark's own (build/windows/wineprefix-bench).
#
#     bash scripts/bench.sh [runs]     (screenshot runs of each program, default 10)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
export runs=${1:-10}

# The 1-minute load average every 5 s until the run ends.
started=$(date +%s)
load_log=$(mktemp)
(
    while :; do
        cut -d ' ' -f 1 /proc/loadavg >>"$load_log"
        sleep 5
    done
) &
sampler=$!
trap 'kill "$sampler" 2>/dev/null; rm -f "$load_log"' EXIT

section() { echo "=== $1 (load average $(cut -d ' ' -f 1-3 /proc/loadavg))"; }
export -f section

section "machine and build"
echo "started: $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
echo "commit: $(git rev-parse --short HEAD)$(
    [ -z "$(git status --porcelain)" ] || echo ", with uncommitted changes")"
echo "system: $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
echo "processor: $(grep -m 1 'model name' /proc/cpuinfo | cut -d : -f 2- | sed 's/^ *//'), $(
    nproc) cores; memory $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
echo "compilers: $(g++ --version | head -n 1); $(x86_64-w64-mingw32-g++-posix --version | head -n 1)"
echo "Wine: $(WINEDEBUG=-all wine --version); Mesa $(dpkg-query -W -f='${Version}' \
    libgl1-mesa-dri), whose llvmpipe links $(ldd /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so |
    sed -n 's/.*\(libLLVM-[0-9]*\).*/\1/p' | head -n 1)"

section "frame cost, native (native-release)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target qf_frame_bench >/dev/null
"$root/build/native-release/qf_frame_bench"

cmake --preset windows >/dev/null
cmake --build --preset windows --target QuillfarrowOptimizer qf_empty_window qf_shell_bench \
    qf_frame_bench qf_pacing_bench >/dev/null
export root prefix="$root/build/windows/wineprefix-bench"

measure() {
    set -euo pipefail
    local bin="$root/build/windows"
    section "frame cost, under Wine over the real platform"
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_frame_bench.exe" 2>/dev/null

    section "pacing under Wine"
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_pacing_bench.exe" 2>/dev/null

    section "screenshot runs against the empty window, $runs each"
    # Wine writes the runs' trace of their present calls to the benchmark's standard error,
    # which they inherit; the benchmark reads the first present from it.
    local trace
    trace=$(mktemp)
    "$root/cmake/wine-run.sh" "$prefix" "$bin/qf_shell_bench.exe" --runs="$runs" \
        "--trace=Z:$trace" 2>"$trace"
    rm -f "$trace"

    section "processor time of the program's process"
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
        awk -v phase="$phase" -v t="$((after - before))" -v hz="$ticks_per_second" \
            'BEGIN { printf "processor time over 5 s, %s: %.2f s\n", phase, t / hz }'
    done
}
export -f measure
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
"$root/cmake/xvfb-run.sh" bash -c measure

section "the executables"
# The resource section holds the icon, the manifest and the Inter fonts.
for exe in QuillfarrowOptimizer.exe qf_empty_window.exe; do
    rsrc=$(x86_64-w64-mingw32-objdump -h "$root/build/windows/$exe" | awk '$2 == ".rsrc" {print $3}')
    echo "$exe: $(stat -c %s "$root/build/windows/$exe") bytes, of which $((16#$rsrc)) bytes resources"
done

section "idle and pacing"
"$root/scripts/idle-bench.sh"

section "the run"
echo "took $(($(date +%s) - started)) s"
awk -v cores="$(nproc)" '
    { sum += $1; if (NR == 1 || $1 < low) low = $1; if ($1 > high) high = $1 }
    END {
        format = "load average (1 minute) every 5 s while it ran: lowest %.2f, mean %.2f,"
        format = format " highest %.2f, from %d readings, on %d cores\n"
        printf format, low, sum / NR, high, NR, cores
    }' "$load_log"
