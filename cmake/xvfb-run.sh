#!/usr/bin/env bash
# Runs a command in a virtual X display of its own: starts Xvfb (1920x1080, 24 bits) on a
# free display number, waits until it accepts clients, runs the command with DISPLAY set,
# and stops the server afterwards. The command's exit code is the result.
#
# The server chooses the number itself (-displayfd): it takes the number's lock file
# atomically, so two runs started at once never share one display. Choosing a number here
# and then starting the server let two runs pick the same one, and the command of the run
# whose server lost then talked to the other run's display.
set -uo pipefail

number_file=$(mktemp)
trap 'rm -f "$number_file"' EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -dpi 96 3>"$number_file" \
    >/dev/null 2>&1 &
server=$!
# The number is written once the server accepts clients; give up after 10 seconds.
display=""
for _ in $(seq 1 100); do
    display=$(tr -d '\n' <"$number_file")
    [ -n "$display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$display" ] || ! kill -0 "$server" 2>/dev/null; then
    echo "xvfb-run: Xvfb did not start" >&2
    kill "$server" 2>/dev/null
    exit 1
fi

DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
