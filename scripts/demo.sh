#!/usr/bin/env bash
# The demo: testbed.exe runs the real Ulvo2FSUIPC.dll under Wine through a scripted
# session. On a terminal it shows one live screen sized to the terminal (ANSI
# colours and cursor movement pass through Wine's output file untouched); in a
# pipe it prints plain text and a summary. The exit code is 0 only when the
# session went as scripted. `make demo` builds everything and prepares the Wine
# prefix first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
testbed=$root/build/windows/bin/testbed.exe
if [ ! -f "$testbed" ]; then
    echo "testbed.exe is not built yet: run 'make demo'" >&2
    exit 1
fi
arguments=(demo)
if [ -t 1 ] && size=$(stty size </dev/tty 2>/dev/null); then
    arguments+=(--live "${size#* }" "${size% *}")
    # The screen hides the cursor while it redraws; give it back however we end.
    trap 'printf "\033[?25h"' EXIT
fi
"$root/scripts/wine-run.sh" "$root/build/windows/wineprefix" "$testbed" "${arguments[@]}"
