#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmarks and runs them, then prints a short table: each
# benchmark's CPU time (median of a few runs), its throughput, and how many
# times slower it is than the memchr line count of the same bytes.
#
#   bench/run.sh                      # RelWithDebInfo tree in build-bench/
#   BUILD_TYPE=Release bench/run.sh
#   BUILD_DIR=build bench/run.sh      # reuse an existing tree
#   bench/run.sh --benchmark_filter=core   # extra arguments go to every program
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
type=${BUILD_TYPE:-RelWithDebInfo}
repetitions=${REPETITIONS:-5}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
    -DPOLLWICK_BUILD_BENCHMARKS=ON >/dev/null
# Only the benchmark programs: the machine is shared.
mapfile -t targets < <(ninja -C "$build" -t targets all |
    sed -n 's/^\(pollwick_bench_[A-Za-z0-9_]*\): .*/\1/p' | grep -v '_autogen' | sort -u)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no benchmark targets found" >&2
    exit 1
fi
ninja -C "$build" -j2 "${targets[@]}" >/dev/null

csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
for target in "${targets[@]}"; do
    program=$(find "$build" -type f -perm -u+x -name "$target" | head -n 1)
    "$program" --benchmark_format=csv --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true "$@" 2>/dev/null |
        grep -E '^"?[a-z]' | grep -v '^name,' >>"$csv"
done

echo "build: $type, $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "median of $repetitions runs; ratio = CPU time / CPU time of floor/memchr on the same bytes"
echo
awk -F, '
    {
        name = $1; gsub(/"/, "", name)
        if (name !~ /_median$/) next
        sub(/_median$/, "", name)
        cpu = $4; unit = $5; bytes = $6
        scale = (unit == "ns") ? 1e-3 : (unit == "us") ? 1 : (unit == "ms") ? 1e3 : 1e6
        us[name] = cpu * scale
        mbs[name] = bytes / 1e6
        order[++n] = name
        size = name; sub(/^.*\//, "", size)
        if (name ~ /^floor\/memchr\//) floor[size] = us[name]
    }
    END {
        printf "%-24s %14s %12s %10s\n", "benchmark", "CPU time", "MB/s", "x floor"
        for (i = 1; i <= n; ++i) {
            name = order[i]
            size = name; sub(/^.*\//, "", size)
            ratio = (size in floor && floor[size] > 0) ? sprintf("%.1f", us[name] / floor[size]) : "-"
            printf "%-24s %11.1f us %12.1f %10s\n", name, us[name], mbs[name], ratio
        }
    }' "$csv"
