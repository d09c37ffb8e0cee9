#!/bin/sh
# Runs the benchmarks of a build folder: the world update at its largest load, then the
# frame benchmark when the build has one.
# Usage: sh scripts/run-benchmarks.sh BUILD_DIR
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
BUILD=$1
REPETITIONS=10
TICK_BENCH="$BUILD/tests/bench/tick_bench"
FRAME_BENCH="$BUILD/tests/bench/frame_bench"

if [ ! -x "$TICK_BENCH" ]; then
    echo "$TICK_BENCH is missing: build the 'benchmarks' target first" >&2
    exit 1
fi

# Google Benchmark's CSV rows: name,iterations,real_time,cpu_time,time_unit,...
results=$("$TICK_BENCH" --benchmark_repetitions=$REPETITIONS \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)
echo "$results" | awk -F, -v reps=$REPETITIONS '
    $1 ~ /_median"$/ {
        scale = ($5 == "ns") ? 0.001 : ($5 == "ms") ? 1000 : ($5 == "s") ? 1000000 : 1
        printf "update_world, 500 tanks, 500 trees, 500 bullets, 10000 fragments: "
        printf "median %.0f us per tick (cpu %.0f us), %d repetitions\n", $3 * scale, $4 * scale, reps
        found = 1
    }
    END { if (!found) { print "tick_bench printed no median" > "/dev/stderr"; exit 1 } }'

if [ -x "$FRAME_BENCH" ]; then
    xvfb-run -a -s "-screen 0 640x480x24" "$FRAME_BENCH"
fi
