#!/bin/sh
# Runs each fuzz target for a bounded time: scripts/fuzz.sh FUZZ_BUILD_DIR SECONDS.
# New inputs gather in a scratch corpus in the build folder, seeded from tests/fuzz/corpus; a
# failing input is kept there as crash-* (or leak-*, timeout-*) and the run fails.
set -u
build=$(cd "$1" && pwd) || exit 1
seconds=$2
seeds=$(cd "$(dirname "$0")/../tests/fuzz/corpus" && pwd) || exit 1
status=0
for kind in controls settings; do
    target="$build/tests/fuzz/${kind}_fuzz"
    scratch="$build/tests/fuzz/corpus-$kind"
    log="$build/tests/fuzz/$kind.log"
    mkdir -p "$scratch"
    # The targets work in a folder of their own, so every path is absolute.
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/tests/fuzz/$kind-" -print_final_stats=1 \
        "$scratch" "$seeds/$kind" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        cov=$(sed -n 's/^#[0-9]*[[:space:]]*DONE[[:space:]]*cov: *\([0-9]*\).*/\1/p' "$log")
        echo "fuzz $kind: ${runs:-?} inputs in $seconds s, no fault (coverage ${cov:-?} edges)"
    else
        echo "fuzz $kind: FAILED, see $log"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
