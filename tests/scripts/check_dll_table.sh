#!/usr/bin/env bash
# check_dll_table.sh DLL: the DLL exports exactly DLLStart and DLLStop, undecorated,
# and imports only DLLs that every Windows system has.
set -euo pipefail
dump=$(x86_64-w64-mingw32-objdump -p "$1")

exports=$(printf '%s\n' "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print $NF; next} on{on=0}' | sort | tr '\n' ' ')
if [ "$exports" != "DLLStart DLLStop " ]; then
    echo "unexpected export table: '$exports'" >&2
    exit 1
fi

allowed='^(KERNEL32|USER32|ADVAPI32|WS2_32|ole32|SHELL32|SHLWAPI|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
for dll in $(printf '%s\n' "$dump" | awk '/DLL Name:/{print $3}'); do
    if ! [[ $dll =~ $allowed ]]; then
        echo "unexpected import: $dll" >&2
        status=1
    fi
done
echo "exports: $exports"
printf '%s\n' "$dump" | awk '/DLL Name:/{print "imports: " $3}'
exit $status
