#!/usr/bin/env bash
# The system ends the game: SIGTERM, SIGINT and SIGHUP, each $STOP_TRIES (20) times in the main
# menu and as many times in a match, then the X server killed under the menu and under a match.
# Each time the game ends by itself, at once, with 128 + the signal's number (1 for the lost
# display) and a line on standard error: never aborted, never hanging, and no file written
# (only Exit saves), so the folder holds exactly what it held before.
E2E_DEADLINE=${E2E_DEADLINE:-2100}
. "$(dirname "$0")/lib.sh"
TRIES=${STOP_TRIES:-20}
e2e_setup "$1" keyboard
ls -l --time-style=+%s.%N "$GAME" >"$E2E_TMP/folder.kept"

# Ends the game with signal $1, or by killing the X server ("X"), and checks how it ended.
stop_game() {
    local expected line
    : >"$E2E_TMP/game.err"
    if [ "$1" = X ]; then
        kill -TERM "$XVFB_PID" && wait "$XVFB_PID"
        XVFB_PID="" expected=1 line="display went away"
    else
        kill -s "$1" "$GAME_PID"
        expected=$((128 + $(kill -l "$1"))) line="(SIG$1)"
    fi
    wait_game_exit 60 >/dev/null
    [ "$GAME_STATUS" -eq "$expected" ] || fail "the game ended with status $GAME_STATUS, not $expected"
    grep -qF "$line" "$E2E_TMP/game.err" || fail "no line on standard error"
    ls -l --time-style=+%s.%N "$GAME" | cmp -s - "$E2E_TMP/folder.kept" || fail "the folder changed: $(ls "$GAME")"
}

for try in $(seq "$TRIES"); do
    for signal in TERM INT HUP; do
        CASE="SIG$signal in the menu, try $try" && start_game && stop_game $signal
        CASE="SIG$signal in a match, try $try" && start_game && start_match 1 shows_one_view && stop_game $signal
    done
    log "try $try of $TRIES: each signal in the menu and in a match"
done
for where in menu match match; do
    CASE="the X server killed under the $where"
    start_game
    [ $where = menu ] || start_match 1 shows_one_view
    stop_game X
    start_xvfb
done
pass
