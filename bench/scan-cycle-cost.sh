#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What one scan cycle costs, in CPU time: the window (pollwick-scan-cycle-cost)
# beside a shell loop doing the same job once per cycle,
#
#   nc ADDRESS 10057 | grep -c Arena
#
# both against the simulated list server pollwick-listserver, which runs in
# a process of its own so that neither side pays for it.
#
#   bench/scan-cycle-cost.sh <build-dir> [cycles]
#
# Then, against a fresh list server for each of its --misbehave modes (and
# "none", the well-behaved one, to compare with), it measures for 30 seconds
# of real time each:
#
#   - the window scanning, re-querying every 5000 ms as it does for a user;
#   - the window after Stop, pressed right after Go: only the first query's
#     connection is left;
#   - pollwick-list --watch with a name that no server has, until the time is
#     up or it gives up (it exits 2 when its first query gets no whole list);
#
# and prints the CPU time of each as a share of one core, then a table of
# them all. POLLWICK_BENCH_FLOOD_SECONDS=N measures for N seconds instead.
#
# The build needs -DPOLLWICK_BUILD_BENCHMARKS=ON (./dev test builds it so).
# ADDRESS is 127.0.0.1 unless POLLWICK_BENCH_ADDRESS names another loopback
# address; nothing may listen there on port 10057 yet. Needs nc from
# netcat-openbsd (apt-get install netcat-openbsd).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: bench/scan-cycle-cost.sh <build-dir> [cycles]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
cycles=${2:-1000}
address=${POLLWICK_BENCH_ADDRESS:-127.0.0.1}
case $address in
127.*) ;;
*)
    echo "scan-cycle-cost: $address is not a loopback address" >&2
    exit 2
    ;;
esac
flood_seconds=${POLLWICK_BENCH_FLOOD_SECONDS:-30}
server=$build/tools/listserver/pollwick-listserver
window=$build/bench/pollwick-scan-cycle-cost
list=$build/tools/list/pollwick-list
for program in "$server" "$window" "$list"; do
    if [ ! -x "$program" ]; then
        echo "scan-cycle-cost: $program is missing; build with -DPOLLWICK_BUILD_BENCHMARKS=ON" >&2
        exit 2
    fi
done
if ! command -v nc >/dev/null; then
    echo "scan-cycle-cost: needs nc (apt-get install netcat-openbsd)" >&2
    exit 2
fi

if nc -z "$address" 10057 2>/dev/null; then
    echo "scan-cycle-cost: something already listens on $address:10057;" \
        "choose another address with POLLWICK_BENCH_ADDRESS=127.0.0.N" >&2
    exit 2
fi

# Starts the list server with the options given and waits until it listens.
start_server() {
    "$server" --listen "$address" "$@" 2>/dev/null &
    server_pid=$!
    for _ in $(seq 100); do
        if nc -z "$address" 10057 2>/dev/null; then
            return 0
        fi
        if ! kill -0 "$server_pid" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    echo "scan-cycle-cost: pollwick-listserver could not listen on $address:10057" >&2
    exit 1
}

stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=
    fi
}

runtime=$(mktemp -d) # Qt wants a private runtime folder
server_pid=
trap 'stop_server; rm -rf "$runtime"' EXIT
start_server

echo "== $cycles scan cycles against pollwick-listserver on $address:10057"
XDG_RUNTIME_DIR=$runtime "$window" --host "$address" --cycles "$cycles"

# The same number of cycles, one nc and one grep each; the shell's own work
# and its children's all count.
shell_times=$(
    TIMEFORMAT='%3U %3S %3R'
    {
        time (
            for ((i = 0; i < cycles; i++)); do
                nc -d "$address" 10057 | grep -c Arena
            done >/dev/null
        )
    } 2>&1
)
read -r user system real <<<"$shell_times"
awk -v n="$cycles" -v u="$user" -v s="$system" -v r="$real" 'BEGIN {
    printf "shell loop: %d cycles, %.0f us CPU per cycle (user %.0f, system %.0f), %.2f ms wall per cycle\n",
        n, (u + s) / n * 1e6, u / n * 1e6, s / n * 1e6, r / n * 1e3
}'
stop_server

# The share of one core in a line of pollwick-scan-cycle-cost --seconds.
share_of() {
    sed -E -n 's/.* ([0-9.]+) % of one core.*/\1 %/p' <<<"$1"
}

# pollwick-list --watch for the flood seconds, or until it gives up: its CPU
# time (and that of timeout, which is next to nothing) as a share of one
# core over the whole span, and how it ended.
watch_cost() {
    local times status user system real
    times=$(
        TIMEFORMAT='%3U %3S %3R'
        {
            time (
                status=0
                timeout "$flood_seconds" "$list" --host "$address" --watch \
                    --name "no server is called this" >/dev/null 2>"$runtime/watch.err" ||
                    status=$?
                echo "$status" >"$runtime/watch.status"
            )
        } 2>&1
    )
    read -r user system real <<<"$times"
    status=$(cat "$runtime/watch.status")
    awk -v u="$user" -v s="$system" -v r="$real" -v span="$flood_seconds" -v status="$status" 'BEGIN {
        ended = status == 124 ? "still watching" : sprintf("exit %d after %.1f s", status, r)
        printf "%.2f s CPU, %.1f %%, %s\n", u + s, 100 * (u + s) / span, ended
    }'
}

modes=(none never-answer reset-mid-line never-stop endless-line garbage one-byte-per-100ms answer-late)
summary=()
for mode in "${modes[@]}"; do
    echo "== $flood_seconds s against a list server that misbehaves: $mode"
    start_server --misbehave "$mode"
    scanning=$(XDG_RUNTIME_DIR=$runtime "$window" --host "$address" --seconds "$flood_seconds")
    echo "$scanning"
    stopped=$(XDG_RUNTIME_DIR=$runtime "$window" --host "$address" --seconds "$flood_seconds" --stop)
    echo "$stopped"
    watching=$(watch_cost)
    echo "pollwick-list --watch: $watching"
    sed 's/^/    /' "$runtime/watch.err" | head -n 3
    stop_server
    summary+=("| $mode | $(share_of "$scanning") | $(share_of "$stopped") | ${watching#*CPU, } |")
done

echo "== share of one core over $flood_seconds s"
echo "| --misbehave | window scanning | window after Stop | pollwick-list --watch |"
echo "|---|---|---|---|"
printf '%s\n' "${summary[@]}"
