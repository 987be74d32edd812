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

run() {
    : >"$out"
    wine "$@" >"$out" 2>&1 </dev/null &
    local pid=$!
    tail -n +1 -s 0.05 -f --pid="$pid" "$out"
    wait "$pid"
}

run "$@"
status=$?
# A failure without a single byte of output means the program never ran: Wine
# itself failed to start it (seen rarely on a heavily loaded machine). Only then
# is it started once more; a program that ran and failed is never repeated.
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
    echo "wine-run: $1 produced no output and exit code $status; starting it once more" >&2
    "$here/wine-prefix.sh" session "$prefix" || exit 125
    run "$@"
    status=$?
fi
exit "$status"
