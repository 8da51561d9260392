#!/usr/bin/env bash
# Makes docs/pages/<n>-<page>.png, a picture of every page, with the program's own
# screenshot mode: the Windows build under Wine in a virtual display (1920 x 1080, 96 DPI),
# in a fresh prefix of its own, so that no earlier state or log shows.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target QuillfarrowOptimizer

prefix=$root/build/windows/wineprefix-pictures
rm -rf "$prefix" "$prefix.lock"
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
mkdir -p docs/pages
names=(dashboard tweaks network debloat profiles log)
for page in "${!names[@]}"; do
    shot="$shots/page-$page.bmp"
    "$root/cmake/gui-run.sh" "$prefix" build/windows/QuillfarrowOptimizer.exe "--page=$page" \
        "--shot=Z:${shot//\//\\}"
    python3 scripts/bmp-to-png.py "$shot" "docs/pages/$page-${names[$page]}.png"
    echo "docs/pages/$page-${names[$page]}.png"
done
