#!/usr/bin/env bash
# Prints what the shown window costs under Wine in a virtual display (Xvfb, no vertical
# blank): the processor time of the program's process per second and the frames it
# presents per second, first with the pointer outside the window, then with the pointer
# moving over it; and which of the process's threads spend that time. Frames are counted from
# outside, as the Present calls in a Wine trace of the dxgi channel. Asserts nothing.
# scripts/bench.sh calls it; it builds what it needs.
#
#   bash scripts/idle-bench.sh [seconds per phase, default 10]
#
# QF_IDLE_BENCH_EXE names another build of the program to measure the same way (an older
# one, for a comparison); it is then not built.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-10}
build=$root/build/windows
exe=${QF_IDLE_BENCH_EXE:-$build/QuillfarrowOptimizer.exe}
if [ -z "${QF_IDLE_BENCH_EXE:-}" ]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target QuillfarrowOptimizer >/dev/null
fi
export root exe seconds prefix="$build/wineprefix-idle"

measure() {
    set -euo pipefail
    local trace ticks_per_second window pid note=""
    trace=$(mktemp /tmp/qf-idle-trace.XXXXXX)
    ticks_per_second=$(getconf CLK_TCK)
    # Creates the prefix on first use; then the pointer is parked outside where the window
    # will appear (1120 x 720, centred on the 1920 x 1080 screen).
    "$root/cmake/wine-run.sh" "$prefix" cmd /c exit >/dev/null 2>&1
    xdotool mousemove --sync 0 0
    QF_WINEDEBUG=+dxgi "$root/cmake/wine-run.sh" "$prefix" "$exe" \
        2>"$trace" &
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name "Quillfarrow's Optimizer" 2>/dev/null |
                 head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "idle-bench: the window did not appear" >&2; return 1; }
    pid=$(bash "$root/scripts/wine-process.sh" "$prefix" "$(basename "$exe")")
    # After the start-up toast has faded.
    sleep 5

    # Test presents, which a covered window makes, have flags 1.
    presents() { grep -c "d3d11_swapchain_Present .*flags 0\." "$trace" || true; }
    ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
    # One line per thread: its name and its user + system time in clock ticks (the fields
    # after the name, which may hold spaces, in /proc/PID/task/TID/stat).
    thread_ticks() {
        local task stat fields
        for task in /proc/"$pid"/task/*; do
            stat=$(cat "$task/stat" 2>/dev/null) || continue
            read -ra fields <<<"${stat##*) }"
            echo "$(tr ' ' '_' <"$task/comm") $((fields[11] + fields[12]))"
        done
    }
    phase() {
        local name=$1 ticks0 frames0 threads0 start end ticks1 frames1 threads1
        ticks0=$(ticks)
        frames0=$(presents)
        threads0=$(thread_ticks)
        start=$(date +%s.%N)
        "${@:2}"
        end=$(date +%s.%N)
        ticks1=$(ticks)
        frames1=$(presents)
        threads1=$(thread_ticks)
        awk -v name="$name" -v t="$((ticks1 - ticks0))" -v hz="$ticks_per_second" \
            -v f="$((frames1 - frames0))" -v s="$start" -v e="$end" -v note="$note" 'BEGIN {
                d = e - s
                printf "%s: %.1f s, processor %.3f s/s, %.1f frames/s (%d frames)%s\n",
                       name, d, t / hz / d, f / d, f, note }'
        # Threads of the same name added up; those that used any time, the busiest first.
        { sed 's/^/0 /' <<<"$threads0"; sed 's/^/1 /' <<<"$threads1"; } |
            awk -v hz="$ticks_per_second" -v s="$start" -v e="$end" '
                { spent[$2] += ($1 == 1 ? $3 : -$3) }
                END {
                    for (thread in spent)
                        if (spent[thread] > 0)
                            printf "%.3f %s\n", spent[thread] / hz / (e - s), thread
                }' |
            sort -rn | awk '{ line = line (NR > 1 ? ", " : "") $2 " " $1 " s/s" }
                            END { print "  by thread: " line }'
    }
    still() {
        note=""
        sleep "$seconds"
    }
    # Back and forth across the middle of the window, about 100 moves a second.
    moving() {
        local end x moves=0
        end=$(($(date +%s%N) + seconds * 1000000000))
        x=500
        while [ "$(date +%s%N)" -lt "$end" ]; do
            xdotool mousemove "$x" 540
            x=$(((x + 37) % 900 + 500))
            moves=$((moves + 1))
            sleep 0.01
        done
        xdotool mousemove --sync 0 0
        note="; $moves pointer moves, one every $((seconds * 1000 / moves)) ms"
    }
    phase "pointer outside" still
    phase "pointer moving over the window" moving
    phase "pointer outside again" still
    # The window's close button, 26 pixels from the right edge of the client area; the
    # server is stopped too, should the program still run after 10 s.
    xdotool mousemove --sync --window "$window" 1094 30 click 1
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    wait 2>/dev/null || true
    rm -f "$trace"
}
export -f measure
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
exec "$root/cmake/xvfb-run.sh" bash -c measure
