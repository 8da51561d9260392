#!/usr/bin/env bash
# Prints the folder outside the clone where the builds' downloads, unpacked dependencies and
# booted Wine prefixes are kept for every clone on the machine: $QF_CACHE_DIR, else
# quillfarrow-optimizer in the user's cache folder. cmake/Cache.cmake names the same one.
set -euo pipefail
dir=${QF_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/quillfarrow-optimizer}
mkdir -p "$dir"
echo "$dir"
