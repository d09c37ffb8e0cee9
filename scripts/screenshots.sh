#!/usr/bin/env bash
# Takes the README's pictures from the real game on a private virtual X server:
# docs/main-menu.png, docs/options-menu.png and docs/four-players.png.
# Usage: scripts/screenshots.sh [GAME_DIR]   (default: build/game, made by `make build`)
[ -n "${BASH_VERSION:-}" ] || exec bash "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DOCS=$ROOT/docs
. "$ROOT/tests/e2e/lib.sh"
E2E_NAME=screenshots
e2e_setup "${1:-$ROOT/build/game}" keyboard
mkdir -p "$DOCS"

# Pictures for a page: without metadata; "small" cuts a picture down to 256 colours (a match
# shrinks to about a third; the menus' dusk gradients would band).
publish() {
    local reduce=()
    [ "${3:-}" != small ] || reduce=(-colors 256)
    convert "$(path_of "$1")" -strip "${reduce[@]}" "$DOCS/$2" || fail "could not write $DOCS/$2"
    log "wrote docs/$2 ($(file_size "$DOCS/$2") bytes)"
}

start_game
# The main menu with the pointer on Start, which lights up.
xdotool mousemove 330 168
KEEP_POINTER=1 wait_for_screen_change menu-start.png main-menu-hover.png "the Start button to light up"
publish main-menu-hover.png main-menu.png
wait_for_screen_like menu-start.png main-menu-again.png "the main menu"

open_options
xdotool mousemove 372 425
KEEP_POINTER=1 wait_for_screen_change options.png options-hover.png "an arrow button to light up"
publish options-hover.png options-menu.png
park_pointer
escape_to menu-start.png

start_match 4 shows_four_views
# Let the computer tanks drive and fire a little, and turn two players' turrets.
sleep 3
hold_key z 0.6
hold_key q 0.4
sleep 2
wait_screen "the four views" four-players.png shows_four_views
publish four-players.png four-players.png small
leave_match
click_exit
pass
