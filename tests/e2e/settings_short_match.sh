#!/usr/bin/env bash
# A settings file made outside the program (a tiny arena without trees, three tanks that die of
# one hit and fire on every tick) is loaded through the options menu and rules the next match:
# the match ends by itself and the menus come back without a key being pressed.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

raw="$E2E_TMP/short.raw"
: >"$raw"
put_int32 10 "$raw"            # arena width, the smallest the menu allows
put_int32 10 "$raw"            # arena height
put_int32 3 "$raw"             # number of tanks: the player and two computer tanks
put_word_hex $FLOAT_0_2 "$raw" # tank speed
put_word_hex $FLOAT_2 "$raw"   # tank rotation speed
put_int32 0 "$raw"             # tank fire speed: a shot on every tick
put_int32 1 "$raw"             # normal tank life
put_int32 1 "$raw"             # human tank life
put_int32 50 "$raw"            # bullet life
put_word_hex $FLOAT_1 "$raw"   # bullet speed
put_int32 0 "$raw"             # number of trees
[ "$(file_size "$raw")" -eq 44 ] || fail "made a payload of $(file_size "$raw") bytes"
pack_file "$raw" "$GAME/short.kmp"

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options-default.png "the options menu"
load_settings_via_menu short.kmp
wait_screen_settled options-after-load.png
# The tanks line shows 3 instead of 50 now.
convert "$E2E_TMP/options-default.png" -crop "300x12+48+148" +repage "$E2E_TMP/tanks-default.png"
convert "$E2E_TMP/options-after-load.png" -crop "300x12+48+148" +repage "$E2E_TMP/tanks-loaded.png"
[ "$(pixels_differing tanks-default.png tanks-loaded.png)" -gt 0 ] ||
    fail "after Load the tanks line still shows the default"

hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu after the options"
click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_1"
# The match may end before a screenshot catches it; either way the menu must come back alone.
log "waiting for the match to end by itself"
WAIT_SECONDS=600 wait_for_screen_like main-menu.png menu-after-match.png "the match to end by itself"
log "the match ended by itself"

click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
