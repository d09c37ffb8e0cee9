#!/usr/bin/env bash
# A one-player match started from the menus: F12 writes a screenshot of the match, Escape brings
# the menus back, Exit ends the program with status 0 and writes keyboard.cfg again.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard

# An old time stamp shows whether Exit wrote the file again.
touch -d '2001-01-01 00:00:00' "$GAME/keyboard.cfg"
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/keyboard-before.raw"

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"

click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_1"
wait_screen shows_one_view match.png "a one-player match filling the window"
log "the match is on"

# Let it run a while; it must still be a match afterwards.
sleep 3
wait_screen shows_one_view match-later.png "the match to go on"

[ ! -e "$GAME/screen.bmp" ] || fail "screen.bmp existed before F12"
press_until F12 "screen.bmp to be written" test -s "$GAME/screen.bmp"
REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"
log "back in the main menu"

size=$(identify -format '%w %h' "$GAME/screen.bmp" 2>/dev/null) || fail "screen.bmp is not a picture"
[ "$size" = "640 480" ] || fail "screen.bmp is $size, not 640 480"
convert "$GAME/screen.bmp" "$E2E_TMP/screen-bmp.png" || fail "screen.bmp cannot be read"
shows_one_view "$E2E_TMP/screen-bmp.png" ||
    fail "screen.bmp shows no match (sky on top, ground at the bottom): $(pixel screen-bmp.png 320 3) at the top, $(pixel screen-bmp.png 4 476) at the bottom"

[ "$(stat -c %Y "$GAME/keyboard.cfg")" -lt 1000000000 ] || fail "keyboard.cfg was written before Exit"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"

[ "$(stat -c %Y "$GAME/keyboard.cfg")" -gt 1000000000 ] || fail "Exit did not write keyboard.cfg"
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/keyboard-after.raw"
[ "$(file_size "$E2E_TMP/keyboard-after.raw")" -eq 128 ] || fail "keyboard.cfg does not hold 128 bytes"
cmp -s "$E2E_TMP/keyboard-before.raw" "$E2E_TMP/keyboard-after.raw" ||
    fail "the bindings read at start-up came back changed from Exit"
pass
