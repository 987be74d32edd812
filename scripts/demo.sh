#!/usr/bin/env bash
# The demo: testbed.exe loads the real Ulvo2FSUIPC.dll under Wine, plays a short
# simulator session and prints the log the plug-in wrote. `make demo` builds
# everything and prepares the Wine prefix first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
testbed=$root/build/windows/bin/testbed.exe
if [ ! -f "$testbed" ]; then
    echo "testbed.exe is not built yet: run 'make demo'" >&2
    exit 1
fi
exec "$root/scripts/wine-run.sh" "$root/build/windows/wineprefix" "$testbed" demo
