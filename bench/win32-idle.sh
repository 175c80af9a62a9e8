#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What waiting costs pollwick.exe: its CPU time under Wine, on a virtual
# display, over SECONDS of each of three waits:
#   - for the person to choose a list server (the choice polled every 100 ms);
#   - after Go with the simulated list server, whose first list holds a
#     server that no criterion turns away: the scan ends at it, and the
#     window waits for the person;
#   - scanning a list server that accepts and never answers
#     (pollwick-listserver --misbehave never-answer), asked every 5 s.
#
#   bench/win32-idle.sh [SECONDS]
#
# Needs build-windows/src/win32/pollwick.exe and build/'s pollwick-listserver
# (./dev run windows builds both). Wine runs in a prefix of its own, which
# is ended with the script.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
program=$root/build-windows/src/win32/pollwick.exe
listserver=$root/build/tools/listserver/pollwick-listserver
prefix=$root/build-windows/wine-prefix-idle

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    seconds=$1 program=$2 listserver=$3
    export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
    # The game paths set, so that nothing asks for them.
    wine reg add "HKCU\\Software\\Wombix Pollwick\\Paths" /v Normal /d "C:\\wombix.exe" /f >/dev/null 2>&1
    # CPU time (user and system, in clock ticks) of the process running pollwick.exe.
    ticks() { awk "{ print \$14 + \$15 }" "/proc/$1/stat"; }
    measure() { # measure <what> <pid>
        local before after
        before=$(ticks "$2")
        sleep "$seconds"
        after=$(ticks "$2")
        awk -v t=$((after - before)) -v s="$seconds" -v hz="$(getconf CLK_TCK)" -v what="$1" \
            "BEGIN { printf \"%-44s %6.2f s CPU in %d s: %.2f %% of a core\\n\", what, t / hz, s, 100 * t / hz / s }"
    }
    run() { # run <misbehave or none>
        local server_args=(--listen 127.0.0.1)
        [ "$1" = none ] || server_args+=(--misbehave "$1")
        "$listserver" "${server_args[@]}" >/dev/null 2>&1 &
        local server=$!
        wine "$program" >/dev/null 2>&1 &
        local wine_pid=$!
        sleep 6
        local pid
        # Wine names the process after the program.
        pid=$(pgrep -x pollwick.exe | head -n 1 || true)
        [ -n "$pid" ] || { echo "pollwick.exe is not running" >&2; exit 1; }
        if [ "$1" = none ]; then
            measure "waiting for a list server to be chosen" "$pid"
        fi
        xdotool type --delay 50 127.0.0.1
        sleep 0.5
        # Tab to Go: past the boxes of both frames (nine stops on).
        xdotool key --delay 100 Tab Tab Tab Tab Tab Tab Tab Tab Tab space
        sleep 1
        measure "after Go, list server: $1" "$pid"
        kill "$wine_pid" "$server" 2>/dev/null || true
        wineserver -k 2>/dev/null || true
        wait "$wine_pid" "$server" 2>/dev/null || true
    }
    run none
    run never-answer
' win32-idle "$seconds" "$program" "$listserver" "$prefix"
