#!/usr/bin/env bash
# Without any sound device the game starts, plays a match in which player 1 fires, and ends
# normally: silently, with no error.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard

# The private home has no ALSA configuration and the machine has no sound card.
[ ! -e "$HOME/.asoundrc" ] || fail "the private home has a sound configuration"

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_1"
wait_screen shows_one_view match.png "a one-player match"
# Player 1 fires (Space in the default bindings) and turns the turret.
hold_key space
hold_key z 0.5
sleep 2
wait_screen shows_one_view match-after-shot.png "the match to go on after the shot"
REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
