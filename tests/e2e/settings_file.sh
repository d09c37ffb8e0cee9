#!/usr/bin/env bash
# Settings through the options menu and the file selector. A file made outside the program (a
# tiny arena, one side below its bound, without trees, three tanks that die of one hit and fire
# on every tick) is loaded, the arrows add a tank, and Save writes all eleven values, bounded,
# and the longest name the file system takes exactly as typed. Save over a datafile, under a
# name with no room left for the temporary file's suffix, with accented letters or into a
# missing folder is refused with a message, and so is Load of a datafile. The next run starts
# from the defaults, loads the saved file, and its match ends by itself. A last run under a
# file-size limit is told that Save failed, and its Exit leaves keyboard.cfg whole.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
pack_words "$GAME/short.kmp" 9 10 3 0x$FLOAT_0_2 0x$FLOAT_2 0 1 1 50 0x$FLOAT_1 0
tanks_changed() { [ "$(line_differing $ROW_TANKS load-after.png "$1")" -gt 0 ]; }
names() { printf "$1%.0s" $(seq "$2"); }

start_game
open_options
cp "$E2E_TMP/options.png" "$E2E_TMP/options-default.png"
use_settings_file load short.kmp options.png
tanks_changed options-default.png || fail "after Load the tanks line still shows the default"
click 328 $((78 + 35 * (ROW_TANKS - 1)))
wait_screen tanks_changed options-more.png "the tanks line to change"
wait_screen_settled options-more.png
[ "$(line_differing $ROW_TREES load-after.png options-more.png)" -eq 0 ] || fail "the trees line changed too"
use_settings_file save more.kmp options-more.png
wait_for "the settings file" test -s "$GAME/more.kmp"
LONG=$(names l 250)
use_settings_file save "$LONG" options-more.png
for name in "$(names x 247).kmp" menus.dat "ünïcødé.kmp" no-folder/more.kmp; do
    use_settings_file save "$name" options-more.png refused
done
use_settings_file load menus.dat options-more.png refused
cmp -s "$1/menus.dat" "$GAME/menus.dat" || fail "Save wrote over menus.dat"
[ "$(ls "$GAME" | sort | xargs)" = "$LONG menus.dat more.kmp short.kmp sounds.dat tankarena textures.dat" ] ||
    fail "Save left other files than more.kmp and the long name: $(ls "$GAME")"
escape_to menu-start.png
click_exit
for file in more.kmp "$LONG"; do
    expect_words "$GAME/$file" "the saved settings" 10 10 4 0x$FLOAT_0_2 0x$FLOAT_2 0 1 1 50 0x$FLOAT_1 0
done

start_game
load_settings more.kmp
[ "$(line_differing $ROW_TANKS options-default.png options.png)" -eq 0 ] ||
    fail "the second run did not start with the default number of tanks"
[ "$(line_differing $ROW_TANKS options-more.png load-after.png)" -eq 0 ] ||
    fail "after Load the tanks line does not show the saved value"
click "$MAIN_START"
wait_for_screen_change menu-start.png start-menu.png "the start menu"
click "$START_PLAYERS_1"
# The match may end before a screenshot catches it; either way the menu comes back alone.
WAIT_SECONDS=600 wait_for_screen_like menu-start.png menu-after-match.png "the match to end by itself"
click_exit

# Not one byte may be written: Save and Exit fail, and the game goes on.
cp "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.kept"
GAME_RUNNER="prlimit --fsize=0" start_game
open_options
use_settings_file save limited.kmp options.png refused
escape_to menu-start.png
click_exit
[ ! -e "$GAME/limited.kmp" ] || fail "Save under a size limit left limited.kmp"
cmp -s "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.kept" || fail "Exit under a size limit changed keyboard.cfg"
[ -z "$(ls -d "$GAME"/*.tmp* 2>/dev/null)" ] || fail "a temporary file was left: $(ls "$GAME")"
pass
