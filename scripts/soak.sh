#!/usr/bin/env bash
# Starts the built program over and over under Wine in a virtual display and counts the runs
# that crashed, hung or exited non-zero: SHOTS screenshot runs (--shot=PATH), then
# INTERACTIVE runs that wait for the window and close it as a user would (Alt+F4).
#
#     bash scripts/soak.sh [SHOTS [INTERACTIVE]]      (defaults: 100 and 50)
#
# Each run starts only after the previous one has ended and has a deadline of its own. The
# prefix build/windows/wineprefix-soak is the soak's own, since interactive runs append to
# the Wine user's session.log. Logs of failed runs stay in build/windows/soak/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
shots=${1:-100}
interactive=${2:-50}
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target QuillfarrowOptimizer >/dev/null

export root shots interactive
export prefix="$root/build/windows/wineprefix-soak"
export exe="$root/build/windows/QuillfarrowOptimizer.exe"
export logs="$root/build/windows/soak"
rm -rf "$logs"
mkdir -p "$logs"

soak() {
    set -uo pipefail
    local run_deadline=60 window_deadline=30
    local crashed=0 hung=0 nonzero=0 passed=0 repeated=0

    # Prepares the prefix (created and set up on first use) with a program that ends at once.
    "$root/cmake/wine-run.sh" "$prefix" cmd /c exit 0 >/dev/null 2>&1

    # Waits for the Wine process $1 until the deadline $2 (seconds since the epoch) and sets
    # status to its exit code; fails when it still runs then, having killed it (status 255)
    # unless $3 is 0.
    local status
    wait_for() {
        local pid=$1 deadline=$2 kill_it=${3:-1}
        while kill -0 "$pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null; then
            [ "$kill_it" = 1 ] || return 1
            kill -KILL "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
            status=255
            return 1
        fi
        wait "$pid"
        status=$?
        return 0
    }

    # Sorts the finished run $1 (log $2) into the counts (a crash is the message Wine prints
    # for an unhandled exception); $3 is 1 when it was killed at the
    # deadline, $4 is 1 when it was expected to show a window and did not.
    record() {
        local name=$1 log=$2 hung_run=$3 no_window=${4:-0}
        if grep -q "wine: Unhandled" "$log"; then
            crashed=$((crashed + 1))
            echo "$name: crashed (exit code $status): $(grep -m 1 "wine: Unhandled" "$log")"
        elif [ "$hung_run" = 1 ]; then
            hung=$((hung + 1))
            echo "$name: hung, killed at the deadline"
        elif [ "$status" != 0 ] || [ "$no_window" = 1 ]; then
            nonzero=$((nonzero + 1))
            echo "$name: exited with $status$([ "$no_window" = 0 ] || echo ' without showing its window')"
        else
            passed=$((passed + 1))
            rm -f "$log"
        fi
    }

    local i pid log window hung_run no_window
    for i in $(seq 1 "$shots"); do
        log="$logs/shot-$i.log"
        "$root/cmake/wine-run.sh" "$prefix" "$exe" "--shot=$logs/shot.bmp" >"$log" 2>&1 &
        pid=$!
        hung_run=0
        wait_for "$pid" $(($(date +%s) + run_deadline)) || hung_run=1
        record "screenshot run $i" "$log" "$hung_run"
    done

    for i in $(seq 1 "$interactive"); do
        log="$logs/interactive-$i.log"
        "$root/cmake/wine-run.sh" "$prefix" "$exe" >"$log" 2>&1 &
        pid=$!
        hung_run=0
        no_window=0
        window=$(timeout "$window_deadline" xdotool search --sync --onlyvisible \
            --name "^Quillfarrow's Optimizer\$" 2>/dev/null | head -n 1) || true
        if [ -n "$window" ]; then
            # Keys go to the focused window; without a window manager, focus it directly. A
            # press can come before Wine gives the new window the focus and be lost, so, as a
            # user would, press again every 5 s until the deadline; such runs are counted.
            local presses=0 ended=0 deadline=$(($(date +%s) + run_deadline))
            while [ "$(date +%s)" -lt "$deadline" ]; do
                xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4 2>/dev/null
                presses=$((presses + 1))
                if wait_for "$pid" $(($(date +%s) + 5)) 0; then
                    ended=1
                    break
                fi
            done
            [ "$ended" = 1 ] || wait_for "$pid" 0 || hung_run=1
            if [ "$presses" -gt 1 ]; then
                repeated=$((repeated + 1))
                echo "interactive run $i: ended after $presses presses of Alt+F4"
            fi
        else
            no_window=1
            wait_for "$pid" $(($(date +%s) + run_deadline)) || hung_run=1
        fi
        record "interactive run $i" "$log" "$hung_run" "$no_window"
    done

    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    echo "soak: $shots screenshot and $interactive interactive runs: $passed passed," \
        "$crashed crashed, $hung hung, $nonzero exited non-zero" \
        "($repeated interactive runs needed more than one Alt+F4)"
    [ $((crashed + hung + nonzero)) = 0 ]
}
export -f soak

# A Wine server left from an earlier run would be tied to that run's display.
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
exec "$root/cmake/xvfb-run.sh" bash -c soak
