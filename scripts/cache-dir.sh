#!/usr/bin/env bash
# Prints the folder outside the clone where the builds' downloads, unpacked dependencies and
# booted Wine prefixes are kept for every clone on the machine: $QF_CACHE_DIR, else
# quillfarrow-optimizer in the user's cache folder. cmake/Cache.cmake names the same one.
set -euo pipefail
if [ -n "${QF_CACHE_DIR:-}" ]; then
    dir=$QF_CACHE_DIR
elif [ -n "${XDG_CACHE_HOME:-}" ]; then
    dir=$XDG_CACHE_HOME/quillfarrow-optimizer
elif [ -n "${HOME:-}" ]; then
    dir=$HOME/.cache/quillfarrow-optimizer
else
    dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/.deps
fi
mkdir -p "$dir"
echo "$dir"
