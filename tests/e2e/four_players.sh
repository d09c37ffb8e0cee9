#!/usr/bin/env bash
# A four-player match shows four views, one in each quarter of the window, and Escape ends it.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"

click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_4"
wait_screen shows_four_views match.png "a match with four views"
log "four views on the screen"

REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"

click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
