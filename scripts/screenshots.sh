#!/usr/bin/env bash
# Takes the README's pictures from the real game on a private virtual X server:
# docs/main-menu.png, docs/options-menu.png and docs/four-players.png.
# Usage: scripts/screenshots.sh [GAME_DIR]   (default: build/game, made by `make build`)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
GAME_SOURCE=${1:-$ROOT/build/game}
DOCS=$ROOT/docs

. "$ROOT/tests/e2e/lib.sh"
E2E_NAME=screenshots
e2e_setup "$GAME_SOURCE" keyboard
mkdir -p "$DOCS"

# Pictures for a page: without metadata; a third argument "small" cuts the picture down to 256
# colours (a match picture shrinks to about a third; the menus' dusk gradients would band).
publish() {
    local reduce=()
    [ "${3:-}" != small ] || reduce=(-colors 256)
    convert "$(path_of "$1")" -strip "${reduce[@]}" "$DOCS/$2" || fail "could not write $DOCS/$2"
    log "wrote docs/$2 ($(file_size "$DOCS/$2") bytes)"
}

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"

# The main menu with the pointer on Start, which lights up.
xdotool mousemove 330 168
KEEP_POINTER=1 wait_for_screen_change main-menu.png main-menu-hover.png "the Start button to light up"
publish main-menu-hover.png main-menu.png
wait_for_screen_like main-menu.png main-menu-again.png "the main menu"

click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options.png "the options menu"
xdotool mousemove 372 425
KEEP_POINTER=1 wait_for_screen_change options.png options-hover.png "an arrow button to light up"
publish options-hover.png options-menu.png
park_pointer
hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu"

click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_4"
wait_screen shows_four_views match.png "a match with four views"
# Let the computer tanks drive and fire a little, and turn two players' turrets.
sleep 3
hold_key z 0.6
hold_key q 0.4
sleep 2
wait_screen shows_four_views four-players.png "the four views"
publish four-players.png four-players.png small

REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
