#!/usr/bin/env bash
# Runs a command in a virtual X display of its own: starts Xvfb (1920x1080, 24 bits) on a
# free display number, waits until it accepts clients, runs the command with DISPLAY set,
# and stops the server afterwards. The command's exit code is the result.
set -uo pipefail

pick_display() {
    local n
    for n in $(seq 90 150); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

for attempt in 1 2 3 4 5; do
    display=$(pick_display) || { echo "xvfb-run: no free display number" >&2; exit 1; }
    Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp -dpi 96 >/dev/null 2>&1 &
    server=$!
    # Ready once the socket exists and the server still runs; give up after 10 seconds.
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        kill -0 "$server" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$server" 2>/dev/null && [ -e "/tmp/.X11-unix/X$display" ]; then
        break
    fi
    # Another server took the number meanwhile: try the next one.
    wait "$server" 2>/dev/null
    server=""
done
[ -n "${server:-}" ] || { echo "xvfb-run: Xvfb did not start" >&2; exit 1; }

DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
