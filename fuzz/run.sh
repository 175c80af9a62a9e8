#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every libFuzzer target of a build for a fixed number of executions
# and tells, per target, how many inputs it ran and what it found.
#
#   fuzz/run.sh <build-dir> short   a few seconds per target (what CI runs)
#   fuzz/run.sh <build-dir> long    a million executions per target
#
# The build must have been configured with -DPOLLWICK_BUILD_FUZZERS=ON
# (clang). Each target starts from its seeds in fuzz/corpus/<target>/ and
# keeps what it learns in <build-dir>/fuzz-work/<target>/corpus, so a later
# pass goes on from there. Inputs that fail are written to
# <build-dir>/fuzz-work/<target>/findings/; run the target on such a file to
# see the failure again. Exits 1 when any target found something.
set -euo pipefail

if [ $# -ne 2 ] || { [ "$2" != short ] && [ "$2" != long ]; }; then
    echo "usage: fuzz/run.sh <build-dir> short|long" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mode=$2

targets=(fuzz_line_parser fuzz_response_walk fuzz_match_test fuzz_list_json fuzz_wave_header)
case $mode in
short)
    runs=25000
    max_seconds=60
    seed=1 # the same inputs every time: CI is repeatable
    ;;
long)
    runs=1000000
    max_seconds=3600
    seed=0 # libFuzzer picks one
    ;;
esac

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

printf '%-20s %12s %10s %9s  %s\n' target executions seconds findings corpus
failed=0
for target in "${targets[@]}"; do
    binary=$build/fuzz/$target
    if [ ! -x "$binary" ]; then
        echo "fuzz/run.sh: $binary is missing; configure with -DPOLLWICK_BUILD_FUZZERS=ON" >&2
        exit 2
    fi
    work=$build/fuzz-work/$target
    mkdir -p "$work/corpus" "$work/findings"
    log=$work/$mode.log
    options=(-runs="$runs" -max_total_time="$max_seconds" -seed="$seed" -max_len=2048
        -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
        -artifact_prefix="$work/findings/")
    if [ -f "$here/dict/$target.dict" ]; then
        options+=(-dict="$here/dict/$target.dict")
    fi
    before=$(find "$work/findings" -type f | wc -l)
    start=$(date +%s)
    status=0
    # New inputs go to the working corpus (the first folder); the seeds are
    # only read.
    "$binary" "${options[@]}" "$work/corpus" "$here/corpus/$target" >"$log" 2>&1 || status=$?
    seconds=$(($(date +%s) - start))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    findings=$(($(find "$work/findings" -type f | wc -l) - before))
    if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
        findings=1 # stopped without writing its input (out of memory, say)
    fi
    printf '%-20s %12s %10s %9s  %s\n' "$target" "${executions:-?}" "$seconds" "$findings" \
        "$(find "$work/corpus" -type f | wc -l) inputs"
    if [ "$findings" -ne 0 ]; then
        failed=1
        echo "---- $target: the end of $log" >&2
        tail -n 40 "$log" >&2
    fi
done
exit $failed
