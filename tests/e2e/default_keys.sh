#!/usr/bin/env bash
# The default bindings steer the right players, each seen in their own view. With three tanks and
# three players there is no computer tank, so nothing moves until a player presses a key: player
# 1's Z turns their turret and with it only their view (lower left), player 2's Q only the upper
# left view, player 3's I drives only the lower right view forwards.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard

raw="$E2E_TMP/settings.raw"
: >"$raw"
put_int32 150 "$raw"
put_int32 150 "$raw"
put_int32 3 "$raw" # number of tanks
put_word_hex $FLOAT_0_2 "$raw"
put_word_hex $FLOAT_2 "$raw"
put_int32 50 "$raw"
put_int32 3 "$raw"
put_int32 6 "$raw"
put_int32 50 "$raw"
put_word_hex $FLOAT_1 "$raw"
put_int32 0 "$raw" # no trees, which could hold a tank where it stands
pack_file "$raw" "$GAME/three.kmp"

# The quarters of the screen: player 1 (index 0) lower left, player 2 upper left, player 3
# lower right.
QUARTER_1=320x240+0+240
QUARTER_2=320x240+0+0
QUARTER_3=320x240+320+240
quarter() { convert "$(path_of "$1")" -crop "$2" +repage "$(path_of "$3")"; }
STILL=""
quarter_moved() {
    local now
    now=$(next_shot) || return 1
    quarter "$now" "$1" moved-now.png
    quarter "$STILL" "$1" moved-before.png
    MOVED=$(pixels_differing moved-before.png moved-now.png)
    [ "$MOVED" -gt 10000 ]
}
# Another player's tank may be in sight and turn its turret or drive a little: a few pixels.
same_quarter() {
    quarter "$1" "$3" same-a.png
    quarter "$2" "$3" same-b.png
    [ "$(pixels_differing same-a.png same-b.png)" -le 1500 ]
}

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options.png "the options menu"
load_settings_via_menu three.kmp
hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu"
click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_3"
wait_screen shows_three_views match.png "a match with three views"
# Nothing moves: the picture stands still.
wait_screen_settled still.png
log "the match stands still"

STILL="$E2E_TMP/still.png"
press_until z "player 1's view to turn" quarter_moved $QUARTER_1
log "Z: $MOVED pixels of player 1's view changed"
wait_screen_settled after-z.png
same_quarter still.png after-z.png $QUARTER_2 || fail "Z moved player 2's view"
same_quarter still.png after-z.png $QUARTER_3 || fail "Z moved player 3's view"

STILL="$E2E_TMP/after-z.png"
press_until q "player 2's view to turn" quarter_moved $QUARTER_2
log "Q: $MOVED pixels of player 2's view changed"
wait_screen_settled after-q.png
same_quarter after-z.png after-q.png $QUARTER_1 || fail "Q moved player 1's view"
same_quarter after-z.png after-q.png $QUARTER_3 || fail "Q moved player 3's view"

STILL="$E2E_TMP/after-q.png"
press_until i "player 3's view to move" quarter_moved $QUARTER_3
log "I: $MOVED pixels of player 3's view changed"
wait_screen_settled after-i.png
same_quarter after-q.png after-i.png $QUARTER_1 || fail "I moved player 1's view"
same_quarter after-q.png after-i.png $QUARTER_2 || fail "I moved player 2's view"
log "each player's keys move their own view only"

REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
