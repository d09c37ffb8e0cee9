#!/usr/bin/env bash
# Many short one-player matches in a small arena: 50 by 50, 20 tanks that die of one hit, and
# 200 trees and no trees in turn, each loaded through the options menu before its match. The
# player drives, turns the turret and fires until the match ends by itself (or Escape after
# MATCH_SECONDS). Meant for a game built with the sanitizers: the run fails when the game ends
# on its own or its standard error holds a sanitizer report.
# Usage: scripts/small-arena.sh GAME_DIR [SECONDS]
RUN_SECONDS=${2:-600}
MATCH_SECONDS=${SMALL_ARENA_MATCH_SECONDS:-60}
E2E_DEADLINE=$((RUN_SECONDS + 900))
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# A game built with AddressSanitizer runs as in the sanitizer tree's tests: any report ends it,
# and the libraries it opens at run time stay loaded for the leak check at its exit.
asan=$(ldd "${1:-}/tankarena" 2>/dev/null | awk '/libasan/ { print $3 }')
if [ -n "$asan" ]; then
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tests/sanitizer/lsan.supp:print_suppressions=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
    alsa=$(ldconfig -p | awk '$1 == "libasound.so.2" { print $NF; exit }')
    GAME_RUNNER=${GAME_RUNNER:-env LD_PRELOAD=$asan:$alsa:/usr/lib/$(gcc -dumpmachine)/dri/swrast_dri.so}
fi
. "$ROOT/tests/e2e/lib.sh"
e2e_setup "$1" keyboard

# width height tanks speed turning reload computer-life human-life bullet-life bullet-speed trees
pack_words "$GAME/trees.kmp" 50 50 20 0x$FLOAT_0_2 0x$FLOAT_2 50 1 6 50 0x$FLOAT_1 200
pack_words "$GAME/bare.kmp" 50 50 20 0x$FLOAT_0_2 0x$FLOAT_2 50 1 6 50 0x$FLOAT_1 0
report() { grep -E -m 3 'ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error|WARNING: ThreadSanitizer' "$E2E_TMP/game.err"; }
check_reports() { ! report >&2 || fail "a sanitizer report on standard error"; }

start_game
matches=0 ended=0 start=$SECONDS
while [ $((SECONDS - start)) -lt "$RUN_SECONDS" ]; do
    file=trees.kmp
    [ $((matches % 2)) -eq 0 ] || file=bare.kmp
    load_settings "$file"
    start_match 1 shows_one_view
    matches=$((matches + 1)) match_start=$SECONDS
    # Forwards and fire held; the hull and the turret turn one way and then the other.
    xdotool keydown Up keydown space
    turn=0
    while game_running && ! on_screen menu-start.png; do
        [ $((SECONDS - match_start)) -lt "$MATCH_SECONDS" ] || break
        if [ $((turn++ % 2)) -eq 0 ]; then keys="Left z"; else keys="Right x"; fi
        for k in $keys; do xdotool keydown "$k"; done
        sleep 1.5
        for k in $keys; do xdotool keyup "$k"; done
    done
    xdotool keyup Up keyup space
    need_game "after match $matches"
    ending="ended by itself"
    on_screen menu-start.png || { ending="left with Escape" && leave_match; }
    [ "$ending" = "left with Escape" ] || ended=$((ended + 1))
    check_reports
    log "$((SECONDS - start)) s: match $matches ($file) $ending after $((SECONDS - match_start)) s"
done
click_exit
check_reports
log "$matches matches ($ended ended by themselves) in $((SECONDS - start)) s, no sanitizer report"
pass
