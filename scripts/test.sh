#!/usr/bin/env bash
# Builds and runs every test: the core natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build under Wine. Ends with every skipped
# case and its reason, every failed case, and one line "N passed, N failed, N skipped"
# counted per test case (cmake/test-summary.py).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
started=$SECONDS
"$root/scripts/setup.sh" || exit 1
echo "test: set-up took $((SECONDS - started)) s"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
runs=()
for preset in native-asan windows; do
    echo "=== $preset"
    build="$root/build/$preset"
    results="$build/test-results"
    runs+=("$preset=$build")
    rm -rf "$results"
    phase=$SECONDS
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        echo "test: the $preset build failed" >&2
        status=1
        continue
    fi
    echo "test: the $preset build took $((SECONDS - phase)) s"
    mkdir -p "$results"
    phase=$SECONDS
    ctest --preset "$preset" --no-tests=error --output-junit "$results/ctest.xml" || status=1
    echo "test: the $preset tests took $((SECONDS - phase)) s"
done

echo "=== summary (after $((SECONDS - started)) s)"
python3 "$root/cmake/test-summary.py" "${runs[@]}" || status=1
exit $status
