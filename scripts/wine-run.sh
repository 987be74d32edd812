#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: wine-run.sh PREFIX program.exe [args...]
# Used as the CTest emulator. Wine's output goes to a file that is followed until the
# program itself ends, so background Wine processes holding the output open can never
# keep a test waiting; the exit code is the program's.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "$1")
shift
"$here/wine-prefix.sh" session "$prefix" || exit 125

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='mscoree,mshtml='

out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out"' EXIT
wine "$@" >"$out" 2>&1 </dev/null &
pid=$!
tail -n +1 -s 0.05 -f --pid="$pid" "$out"
wait "$pid"
exit $?
