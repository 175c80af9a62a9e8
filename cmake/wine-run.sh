#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# wine-run.sh <prefix> [<program.exe> [arguments...]]
#
# Runs a Windows program under Wine in the given Wine prefix; without a
# program it only gets the prefix ready. Wine cannot make a window without
# an X server, so a program that makes windows (POLLWICK_WINE_DISPLAY=1 in its
# environment) refuses to start without DISPLAY (./dev test windows starts
# Xvfb for the tests). Every program keeps the display when there is one:
# the first Wine program to need a desktop starts Wine's desktop process, and
# the desktop keeps the display driver it found then for every program after
# it, so one started without DISPLAY leaves every later window unmade.
#
# The first call creates the prefix, once: parallel callers wait for it under
# a lock instead of each starting their own. The .NET and browser engines
# that Wine would offer to install are switched off.
set -eu
case $1 in
/*) prefix=$1 ;;
*) prefix=$PWD/$1 ;; # Wine wants an absolute path
esac
shift

if [ -n "${POLLWICK_WINE_DISPLAY:-}" ] && [ $# -gt 0 ] && [ -z "${DISPLAY:-}" ]; then
    echo "wine-run.sh: $1 makes windows and needs an X display (run it under xvfb-run)" >&2
    exit 1
fi
unset WAYLAND_DISPLAY
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/.pollwick-ready" ]; then
        # Its chatter (no 32-bit Wine, and so on) goes to a log, shown only
        # when the prefix cannot be made.
        # Windows are not handed to a window manager: with none on the
        # display, Wine would wait two seconds for one at every window
        # hidden. Nor does a crash start the debugger, which would wait for
        # a person.
        if ! { wineboot --init &&
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Auto /d 1 /f &&
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Debugger /d '' /f &&
            wineserver --wait; } >"$prefix.log" 2>&1 9>&-; then
            cat "$prefix.log" >&2
            exit 1
        fi
        touch "$prefix/.pollwick-ready"
    fi
    # Wine's own background programs (services.exe and the like) keep the
    # output they were started with open for as long as the wineserver runs,
    # and ctest and gtest_discover_tests wait for that output to close. So
    # start the server and them here, away from the caller's output, and let
    # them stay ten seconds after the last program. With a server already
    # running, wineserver -p fails and nothing is started. (None of them may
    # inherit the lock, or it would be held as long as they run.)
    if wineserver -p10 </dev/null >/dev/null 2>&1 9>&-; then
        wineboot </dev/null >/dev/null 2>&1 9>&-
    fi
) 9>"$prefix.lock"

[ $# -gt 0 ] || exit 0
exec wine "$@"
