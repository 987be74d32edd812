#!/usr/bin/env bash
# The panel lab under Wine: scripts/lab.sh [ulvo-panel-lab.exe arguments]. Without
# arguments it reads lines from the keyboard; `scripts/lab.sh run FILE` plays a
# scenario. On a terminal it shows the live view sized to the terminal. The
# keyboard reaches the lab through a pipe (the terminal edits and echoes each
# line); Wine's output goes to a file that is followed until the lab ends, as in
# wine-run.sh. `make lab` builds everything and prepares the Wine prefix first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$root/build/windows/wineprefix
lab=$root/build/windows/bin/ulvo-panel-lab.exe
if [ ! -f "$lab" ]; then
    echo "ulvo-panel-lab.exe is not built yet: run 'make lab'" >&2
    exit 1
fi
"$root/scripts/wine-prefix.sh" session "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='

arguments=()
terminal=false
if [ -t 1 ] && size=$(stty size </dev/tty 2>/dev/null); then
    arguments+=(--live "${size#* }" "${size% *}")
    terminal=true
else
    arguments+=(--plain)
fi
arguments+=("$@")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/ulvo-lab.XXXXXX")
# The live view keeps part of the screen fixed; give the terminal back however we end.
trap 'rm -rf "$scratch"; if $terminal; then printf "\033[r\033[?25h"; fi' EXIT
mkfifo "$scratch/keyboard"
exec 3<&0
cat <&3 >"$scratch/keyboard" &
keyboard=$!
: >"$scratch/out"
wine "$lab" "${arguments[@]}" <"$scratch/keyboard" >"$scratch/out" 2>&1 &
pid=$!
tail -n +1 -s 0.05 -f --pid="$pid" "$scratch/out"
status=0
wait "$pid" || status=$?
kill "$keyboard" 2>/dev/null || true
exit "$status"
