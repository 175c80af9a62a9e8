#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows window and the Qt window listing the same made-up responses,
# side by side on this machine: pollwick-win32-bench.exe under Wine on a
# virtual display, and pollwick_bench_arrival on Qt's offscreen platform.
#
#   bench/win32-arrival.sh [RUNS]
#
# Builds what it needs: build-windows/ (MinGW-w64, with the benchmarks) and
# build/ (the Qt build, with the benchmarks). Wine's prefix is the tests'
# own (build-windows/wine-prefix); its Wine ends with the script.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}

cmake -S "$root" -B "$root/build-windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOLLWICK_BUILD_GUI=OFF -DPOLLWICK_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$root/build-windows" -j2 --target pollwick-win32-bench >/dev/null
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOLLWICK_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$root/build" -j2 --target pollwick_bench_arrival >/dev/null

prefix=$root/build-windows/wine-prefix
"$root/cmake/wine-run.sh" "$prefix"
# Wine starts again on the virtual display below.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT

echo "== the Windows window, under Wine (median of $runs)"
for lines in 200 32767; do
    POLLWICK_WINE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$root/cmake/wine-run.sh" "$prefix" "$root/build-windows/bench/pollwick-win32-bench.exe" \
        "$lines" "$runs" 2>/dev/null
done

echo "== the Qt window, offscreen (median of 5)"
QT_QPA_PLATFORM=offscreen "$root/build/bench/pollwick_bench_arrival" \
    --benchmark_filter='window/arrival\+paint/' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^-|Benchmark'
