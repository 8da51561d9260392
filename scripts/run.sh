#!/usr/bin/env bash
# Builds QuillfarrowOptimizer.exe and starts it: directly on Windows, under Wine elsewhere.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*)
        cmake --preset windows-native >/dev/null
        cmake --build --preset windows-native --target QuillfarrowOptimizer
        exec build/windows-native/QuillfarrowOptimizer.exe "$@"
        ;;
esac
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target QuillfarrowOptimizer
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ -z "${DISPLAY:-}" ]; then
    echo "run: no X display; starting in a virtual one (Xvfb) where nothing is seen" >&2
    exec "$root/cmake/xvfb-run.sh" wine build/windows/QuillfarrowOptimizer.exe "$@"
fi
exec wine build/windows/QuillfarrowOptimizer.exe "$@"
