#!/usr/bin/env bash
# Test emulator for the Windows build: runs a Windows program under Wine in the
# project-local prefix given as the first argument, made ready by wine-prefix.sh on first
# use.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/wine-prefix.sh" "$1"
export WINEPREFIX=$(realpath -m "$1")
shift
# Wine's debug channels stay silent unless QF_WINEDEBUG names some for a diagnosis.
export WINEDEBUG=${QF_WINEDEBUG:--all}
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec wine "$@"
