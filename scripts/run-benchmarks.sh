#!/bin/sh
# Runs the benchmarks of a build folder: the world update at its largest load, then the frame
# benchmark, each timing the game's code against its plain path, side by side
# in one run. Ends with one summary line per figure (the largest load and a default match, each
# beside the floor of as many players), then the floors and what each of the view's speed
# tricks buys.
# Usage: sh scripts/run-benchmarks.sh BUILD_DIR
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
BUILD=$1
REPETITIONS=10
FRAME_ROUNDS=5
TICK_BENCH="$BUILD/tests/bench/tick_bench"
FRAME_BENCH="$BUILD/tests/bench/frame_bench"

for bench in "$TICK_BENCH" "$FRAME_BENCH"; do
    if [ ! -x "$bench" ]; then
        echo "$bench is missing: build the 'benchmarks' target first" >&2
        exit 1
    fi
done

echo "machine load before: $(cat /proc/loadavg 2>/dev/null || echo unknown)"

# Google Benchmark's CSV rows: name,iterations,real_time,cpu_time,time_unit,...; the two
# versions' repetitions are interleaved so that both see the same machine.
tick_csv=$("$TICK_BENCH" --benchmark_repetitions=$REPETITIONS \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)
tick_summary=$(echo "$tick_csv" | awk -F, -v reps=$REPETITIONS '
    function micros(v, unit) {
        return v * ((unit == "ns") ? 0.001 : (unit == "ms") ? 1000 : (unit == "s") ? 1000000 : 1)
    }
    $1 ~ /tick\/reference.*_median"$/ { reference = micros($3, $5) }
    $1 ~ /tick\/optimized.*_median"$/ { optimized = micros($3, $5) }
    END {
        if (reference == "" || optimized == "") {
            print "tick_bench printed no medians" > "/dev/stderr"
            exit 1
        }
        printf "update_world, 500 tanks, 500 trees, 500 bullets, 10000 fragments, median of %d:\n", reps
        printf "tick-max-load: reference %.1f us, optimized %.1f us, speedup %.2f\n",
            reference, optimized, reference / optimized
    }')
echo "$tick_summary"

frame_output=$(xvfb-run -a -s "-screen 0 640x480x24" "$FRAME_BENCH" $FRAME_ROUNDS)
echo "$frame_output"

echo "machine load after: $(cat /proc/loadavg 2>/dev/null || echo unknown)"
echo "summary:"
echo "$tick_summary" | grep '^tick-max-load:'
echo "$frame_output" | grep '^frame-max-load-1p:'
echo "$frame_output" | grep '^frame-max-load-4p:'
echo "$frame_output" | grep '^frame-default-1p:'
echo "$frame_output" | grep '^frame-default-4p:'
echo "$frame_output" | grep '^frame-floor-'
echo "$frame_output" | grep '^stage '
