#!/usr/bin/env bash
# A long run of the real game at the largest load on a private X server: 500 tanks and 500 trees
# from a settings file loaded in the options menu, four players, a new match every two minutes
# (so that each match's set-up and end are repeated too) for SECONDS (ten minutes unless told).
# The game's resident memory is sampled every 10 s; the run fails when the last sample lies more
# than a small margin above the one taken after the first minute, or when the game does not end
# through Exit with status 0.
# Usage: scripts/soak.sh GAME_DIR [SECONDS]
SOAK_SECONDS=${2:-600}
SAMPLE_SECONDS=10
SETTLE_SECONDS=60
MATCH_SECONDS=${SOAK_MATCH_SECONDS:-120}
# Growth allowed after the first minute: a little for the allocator's and Mesa's caches.
MARGIN_KB=4096
MARGIN_PERCENT=2
E2E_DEADLINE=$((SOAK_SECONDS + 900))
. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$1"

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status"; }

# Default settings but for 500 tanks and 500 trees, as 32-bit words in file order.
pack_words "$GAME/largest.kmp" 150 150 500 0x3e4ccccd 0x40000000 50 3 6 50 0x3f800000 500
start_game
load_settings largest.kmp

start_match 4 shows_four_views
matches=1 start=$SECONDS match_start=$SECONDS samples="" settled_kb=""
while [ $((SECONDS - start)) -lt "$SOAK_SECONDS" ]; do
    sleep "$SAMPLE_SECONDS"
    need_game "during the soak"
    kb=$(rss_kb)
    elapsed=$((SECONDS - start))
    samples="$samples $elapsed:$kb"
    log "$elapsed s: RSS $kb kB, match $matches"
    [ -n "$settled_kb" ] || [ "$elapsed" -lt "$SETTLE_SECONDS" ] || settled_kb=$kb
    # A match ends when fewer than two tanks are left, or here with Escape after a while.
    [ $((SECONDS - match_start)) -lt "$MATCH_SECONDS" ] || leave_match
    if on_screen menu-start.png; then
        matches=$((matches + 1)) match_start=$SECONDS
        start_match 4 shows_four_views
    fi
done
on_screen menu-start.png || leave_match
click_exit

last_kb=${samples##*:}
limit_kb=$((settled_kb + settled_kb * MARGIN_PERCENT / 100 + MARGIN_KB))
log "RSS after $SETTLE_SECONDS s: $settled_kb kB; last: $last_kb kB; limit: $limit_kb kB; $matches matches"
echo "samples (s:kB):$samples"
[ "$last_kb" -le "$limit_kb" ] || fail "the game's memory grew from $settled_kb kB to $last_kb kB"
pass
