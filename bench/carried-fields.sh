#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The benchmarks of the carried-field lists (bench/CarriedLists.h): one line
# with a field of a megabyte, carried by thousands of short lines after it.
# Builds them, then runs, each printing every figure beside its goal with
# PASS or FAIL:
#
#   pollwick-carried-core     the core's walk over each list
#   pollwick-carried-tool     pollwick-list --json on each list, and its table
#   pollwick-carried-window   the real window reading each list from the
#                             stand-in list server
#
#   bench/carried-fields.sh                  # RelWithDebInfo tree in build-bench/
#   BUILD_DIR=build bench/carried-fields.sh  # reuse an existing tree
#   bench/carried-fields.sh core window      # only those
#
# Exits 1 when any goal was missed. A run stops each program it starts after
# 120 s; on code that misses the goals by far the whole run takes several
# minutes.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
type=${BUILD_TYPE:-RelWithDebInfo}
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(core tool window)
for part in "${parts[@]}"; do
    case $part in
    core | tool | window) ;;
    *)
        echo "usage: bench/carried-fields.sh [core] [tool] [window]" >&2
        exit 2
        ;;
    esac
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
    -DPOLLWICK_BUILD_BENCHMARKS=ON >/dev/null
# Only what is measured: the machine is shared.
ninja -C "$build" -j2 "${parts[@]/#/pollwick-carried-}" >/dev/null

echo "build: $type, $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
missed=0
for part in "${parts[@]}"; do
    echo
    echo "== pollwick-carried-$part"
    "$build/bench/pollwick-carried-$part" || missed=1
done
exit $missed
