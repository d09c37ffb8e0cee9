#!/usr/bin/env bash
# The options menu lowers the number of trees, Save writes the eleven values through the file
# selector, and a new run of the program starts from the defaults and gets the saved value back
# with Load.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# The text line of a row of the options menu (left end at x = 50, 8 pixels high).
crop_row() {
    local row=$1 from=$2 to=$3
    convert "$(path_of "$from")" -crop "300x12+48+$((78 + 35 * (row - 1)))" +repage "$(path_of "$to")"
}
TREES_SHOWN=""
trees_line_changed() {
    crop_row $ROW_TREES "$1" "$E2E_TMP/trees-now.png"
    [ "$(pixels_differing "$TREES_SHOWN" trees-now.png)" -gt 0 ]
}

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options-default.png "the options menu"
crop_row $ROW_TREES options-default.png trees-default.png

click "$(options_down $ROW_TREES)"
TREES_SHOWN=trees-default.png
wait_screen trees_line_changed options-fewer-trees.png "the trees line to change"
wait_screen_settled options-fewer-trees.png
crop_row $ROW_TREES options-fewer-trees.png trees-fewer.png
# Only that line changed.
crop_row $ROW_TANKS options-default.png tanks-default.png
crop_row $ROW_TANKS options-fewer-trees.png tanks-now.png
[ "$(pixels_differing tanks-default.png tanks-now.png)" -eq 0 ] || fail "the tanks line changed too"

click "$OPTIONS_SAVE"
use_file_selector options-fewer-trees.png fewer-trees.kmp save
wait_for "the settings file" test -s "$GAME/fewer-trees.kmp"
wait_for_screen_like options-fewer-trees.png options-after-save.png "the options menu after Save"

hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu after the options"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"

# The payload: eleven 4-byte fields, the defaults except 195 trees in the last one.
unpack_file "$GAME/fewer-trees.kmp" "$E2E_TMP/settings.raw"
raw="$E2E_TMP/settings.raw"
[ "$(file_size "$raw")" -eq 44 ] || fail "the settings payload is $(file_size "$raw") bytes, not 44"
expect_int() {
    local got
    got=$(int32_at "$raw" "$1") || exit 1
    [ "$got" = "$2" ] || fail "settings payload at offset $1 holds $got, not $2 ($3)"
}
expect_float() {
    local got
    got=$(word_hex_at "$raw" "$1")
    [ "$got" = "$2" ] || fail "settings payload at offset $1 holds bits $got, not $2 ($3)"
}
expect_int 0 150 "arena width"
expect_int 4 150 "arena height"
expect_int 8 50 "number of tanks"
expect_float 12 $FLOAT_0_2 "tank speed 0.2"
expect_float 16 $FLOAT_2 "tank rotation speed 2.0"
expect_int 20 50 "tank fire speed"
expect_int 24 3 "normal tank life"
expect_int 28 6 "human tank life"
expect_int 32 50 "bullet life"
expect_float 36 $FLOAT_1 "bullet speed 1.0"
expect_int 40 195 "number of trees"
log "saved payload holds the lowered number of trees"

# A new run starts from the defaults; Load brings the saved value back.
start_game
[ "$(pixels_differing main-menu.png menu-start.png)" -le 40 ] || fail "the second run's main menu differs"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options-second-run.png "the options menu of the second run"
crop_row $ROW_TREES options-second-run.png trees-second-run.png
[ "$(pixels_differing trees-default.png trees-second-run.png)" -eq 0 ] ||
    fail "the second run did not start with the default number of trees"

load_settings_via_menu fewer-trees.kmp
wait_screen_settled options-after-load.png
crop_row $ROW_TREES options-after-load.png trees-loaded.png
[ "$(pixels_differing trees-fewer.png trees-loaded.png)" -eq 0 ] ||
    fail "after Load the trees line does not show the saved value"

hold_key Escape
wait_for_screen_like main-menu.png menu-after-load.png "the main menu after Load"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
