#!/usr/bin/env bash
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
# Then the window scans, for 30 seconds and re-querying every 5000 ms, a
# list server that never stops sending (--misbehave never-stop), and the
# share of one core that costs it is printed.
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
server=$build/tools/listserver/pollwick-listserver
window=$build/bench/pollwick-scan-cycle-cost
for program in "$server" "$window"; do
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
"$server" --listen "$address" 2>/dev/null &
server_pid=$!
runtime=$(mktemp -d) # Qt wants a private runtime folder
trap 'kill "$server_pid" 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
    if nc -z "$address" 10057 2>/dev/null; then
        break
    fi
    if ! kill -0 "$server_pid" 2>/dev/null; then
        echo "scan-cycle-cost: pollwick-listserver could not listen on $address:10057" >&2
        exit 1
    fi
    sleep 0.05
done

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

# A flood: the same window against a list server that sends its list over
# and over without end, for 30 seconds of real scanning.
kill "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null || true
"$server" --listen "$address" --misbehave never-stop 2>/dev/null &
server_pid=$!
for _ in $(seq 100); do
    if nc -z "$address" 10057 2>/dev/null; then
        break
    fi
    sleep 0.05
done
echo "== 30 s of scanning a list server that never stops sending"
XDG_RUNTIME_DIR=$runtime "$window" --host "$address" --seconds 30
