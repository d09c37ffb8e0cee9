#!/usr/bin/env bash
# The system ends the game: SIGTERM, SIGINT and SIGHUP, each $STOP_TRIES (20) times in the main
# menu and as many in a match, then the X server killed under the menu and a match. Each time the
# game ends at once with 128 + the signal's number (1 for the lost display) and a line on standard
# error: never aborted or hanging, and the folder keeps exactly what it held (only Exit saves).
# Ctrl+Alt+End does nothing, in the menu and in a match; the window's close button, in both,
# leaves as Exit does: status 0 and keyboard.cfg written.
E2E_DEADLINE=${E2E_DEADLINE:-2100}
. "$(dirname "$0")/lib.sh"
TRIES=${STOP_TRIES:-20}
e2e_setup "$1" keyboard
ls -l --time-style=+%s.%N "$GAME" >"$E2E_TMP/folder.kept"

# A game in the menu or a match ($1) ended with signal $2, or by killing the X server ("X").
stop_game() {
    local expected line
    CASE=$3
    start_game
    [ $1 = menu ] || start_match 1 shows_one_view
    : >"$E2E_TMP/game.err"
    if [ "$2" = X ]; then
        kill -TERM "$XVFB_PID" && wait "$XVFB_PID"
        XVFB_PID="" expected=1 line="display went away"
    else
        kill -s "$2" "$GAME_PID"
        expected=$((128 + $(kill -l "$2"))) line="(SIG$2)"
    fi
    wait_game_exit 60 >/dev/null
    [ "$GAME_STATUS" -eq "$expected" ] || fail "the game ended with status $GAME_STATUS, not $expected"
    grep -qF "$line" "$E2E_TMP/game.err" || fail "no line on standard error"
    ls -l --time-style=+%s.%N "$GAME" | cmp -s - "$E2E_TMP/folder.kept" || fail "the folder changed: $(ls "$GAME")"
    [ "$2" != X ] || start_xvfb
}

for try in $(seq "$TRIES"); do
    for signal in TERM INT HUP; do
        stop_game menu $signal "SIG$signal in the menu, try $try"
        stop_game match $signal "SIG$signal in a match, try $try"
    done
    log "try $try of $TRIES: each signal in the menu and in a match"
done
for where in menu match match; do
    stop_game $where X "the X server killed under the $where"
done

for where in menu match; do
    CASE="Ctrl+Alt+End and the close button in the $where"
    start_game
    [ $where = menu ] || start_match 1 shows_one_view
    xdotool key ctrl+alt+End
    # The game still answers afterwards, then goes when its window is closed.
    if [ $where = menu ]; then open_options && escape_to menu-start.png; else screenshot_match; fi
    touch -d 2001-01-01 "$GAME/keyboard.cfg"
    close_game_window
    wait_game_exit 60
    [ "$GAME_STATUS" -eq 0 ] || fail "closing the window ended the game with status $GAME_STATUS"
    [ "$(stat -c %Y "$GAME/keyboard.cfg")" -gt 1000000000 ] || fail "closing the window did not write keyboard.cfg"
done
pass
