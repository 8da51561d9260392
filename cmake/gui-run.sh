#!/usr/bin/env bash
# Runs a Windows program under Wine in a virtual display of its own, in the Wine prefix
# given first. The prefix's Wine server is stopped before and after: a server left from an
# earlier run would still be tied to that run's display, which is gone.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix=$1
shift
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
"$here/xvfb-run.sh" "$here/wine-run.sh" "$prefix" "$@"
status=$?
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
exit $status
