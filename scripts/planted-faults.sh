#!/bin/sh
# Plants each fault of scripts/planted-faults.txt in turn, builds, runs the tests and counts
# the faults some test catches: the headless, display and data tests first, the end-to-end
# tests only for a fault those let through. The checkout is restored after each fault.
# Usage: sh scripts/planted-faults.sh BUILD_DIR (a configured build of this checkout)
set -u
if [ $# -ne 1 ] || [ ! -f "$1/CTestTestfile.cmake" ]; then
    echo "usage: $0 BUILD_DIR (configured)" >&2
    exit 2
fi
BUILD=$1
# FAULTS=file plants only the faults listed there (a subset, for one part of the tests).
FAULTS=${FAULTS:-$(dirname "$0")/planted-faults.txt}
JOBS=${JOBS:-2}
caught=0
planted=0
# Fields are split at " | " only: a fault's text may hold "||".
grep -v '^#' "$FAULTS" | while IFS= read -r line; do
    file=${line%% | *} rest=${line#* | }
    old=${rest%% | *} new=${rest#* | }
    file=$(echo "$file" | sed 's/^ *//; s/ *$//')
    [ -n "$file" ] || continue
    planted=$((planted + 1))
    if ! grep -qF -- "$old" "$file"; then
        echo "fault $planted: not found in $file: $old"
        continue
    fi
    OLD=$old NEW=$new perl -0pi -e 's/\Q$ENV{OLD}\E/$ENV{NEW}/' "$file"
    verdict="missed"
    if ! cmake --build "$BUILD" -j "$JOBS" >/dev/null 2>&1; then
        verdict="caught by the build"
    elif ! (cd "$BUILD" && ctest -LE e2e -j "$JOBS" >ctest-fault.log 2>&1); then
        verdict="caught by $(grep -m 3 -E '\*\*\*Failed|Failed  ' "$BUILD/ctest-fault.log" | sed 's/.*Test *#[0-9]*: //; s/ \..*//' | tr '\n' ' ')"
    elif ! (cd "$BUILD" && ctest -L e2e -j "$JOBS" --stop-on-failure >ctest-fault.log 2>&1); then
        verdict="caught by $(grep -m 3 -E '\*\*\*Failed|Failed  ' "$BUILD/ctest-fault.log" | sed 's/.*Test *#[0-9]*: //; s/ \..*//' | tr '\n' ' ')"
    fi
    git checkout -q -- "$file"
    case $verdict in missed) ;; *) caught=$((caught + 1)) ;; esac
    echo "fault $planted ($file): $verdict"
    echo "$caught of $planted caught so far"
done
cmake --build "$BUILD" -j "$JOBS" >/dev/null 2>&1
