#!/bin/sh
# wine-run.sh <prefix> [<program.exe> [arguments...]]
#
# Runs a Windows program under Wine with no display, in the given Wine prefix;
# without a program it only makes the prefix. The first call creates the prefix (once, under a lock, so that parallel
# callers wait for it instead of each starting their own); the .NET and
# browser engines that Wine would offer to install are switched off.
set -eu
case $1 in
/*) prefix=$1 ;;
*) prefix=$PWD/$1 ;; # Wine wants an absolute path
esac
shift

unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.pollwick-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.pollwick-ready" ]; then
            # Its chatter (no 32-bit Wine, and so on) goes to a log, shown
            # only when the prefix cannot be made.
            if ! { wineboot --init && wineserver --wait; } >"$prefix.log" 2>&1; then
                cat "$prefix.log" >&2
                exit 1
            fi
            touch "$prefix/.pollwick-ready"
        fi
    ) 9>"$prefix.lock"
fi

[ $# -eq 0 ] || exec wine "$@"
