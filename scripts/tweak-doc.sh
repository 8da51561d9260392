#!/usr/bin/env bash
# Rewrites docs/tweaks.md from the engine's tables.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native --target qf_tests
QF_WRITE_TWEAK_DOCUMENT=1 build/native/qf_tests --gtest_filter='TweakDocument.*'
