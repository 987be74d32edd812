#!/usr/bin/env bash
# Prepares a headless Wine prefix and keeps a detached Wine session running in it.
#
#   wine-prefix.sh create  PREFIX   create the prefix once (idempotent)
#   wine-prefix.sh session PREFIX   make sure a detached session runs (idempotent)
#   wine-prefix.sh stop    PREFIX   end the session (saves the registry)
#
# The prefix never touches the user's ~/.wine or home folder: Mono and Gecko are
# skipped, the graphics driver is "null", and the Documents folders are real
# folders inside the prefix instead of links to $HOME.
set -euo pipefail

cmd=${1:?usage: wine-prefix.sh create|session|stop PREFIX}
prefix=$(realpath -m "${2:?usage: wine-prefix.sh create|session|stop PREFIX}")
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export WINEARCH=win64

quiet() { "$@" </dev/null >/dev/null 2>&1; }

create() {
    [ -f "$prefix/.ulvo-ready" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    [ -f "$prefix/.ulvo-ready" ] && return 0
    rm -rf "$prefix"
    quiet wineboot -i 9>&-
    # The null driver must be set while no session with a running explorer exists.
    quiet wineserver -w
    quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f 9>&-
    quiet wineserver -w
    local user_dir
    for user_dir in "$prefix"/drive_c/users/*/; do
        local name
        for name in Desktop Documents Downloads Music Pictures Videos; do
            if [ -L "$user_dir$name" ]; then
                rm -f "$user_dir$name"
                mkdir -p "$user_dir$name"
            fi
        done
    done
    touch "$prefix/.ulvo-ready"
}

session() {
    create
    exec 8>"$prefix.session.lock"
    flock 8
    # Exit code 2 means a server already runs for this prefix. The lock's file
    # descriptor is closed for the long-lived processes, or they would hold the lock.
    if quiet wineserver -p60 8>&-; then
        # Boot the background services once, fully detached, so that no test
        # waits for them to release its output.
        setsid -f wine cmd /c exit </dev/null >/dev/null 2>&1 8>&-
    fi
}

case "$cmd" in
    create) create ;;
    session) session ;;
    stop) [ -d "$prefix" ] && quiet wineserver -k || true ;;
    *) echo "unknown command: $cmd" >&2; exit 2 ;;
esac
