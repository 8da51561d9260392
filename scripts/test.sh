#!/usr/bin/env bash
# Builds and runs every test: the core natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build under Wine.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
summaries=()
for preset in native-asan windows; do
    echo "=== $preset"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        echo "test: the $preset build failed" >&2
        status=1
        continue
    fi
    log=$(mktemp)
    ctest --preset "$preset" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" = 0 ] || status=1
    summaries+=("$preset: $(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -n 1)")
    rm -f "$log"
done

echo "=== summary"
printf '%s\n' "${summaries[@]}"
passed=0
failed=0
for line in "${summaries[@]}"; do
    if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    fi
done
[ $status = 0 ] || [ $failed -gt 0 ] || failed=1
echo "$passed passed, $failed failed"
exit $status
