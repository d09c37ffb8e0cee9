#!/usr/bin/env bash
# The options menu. Without a display the game ends at once with a message and a failure status. A
# settings file made outside the program (a tiny arena, one side below its bound, no trees, three
# tanks that die of one hit and fire on every tick) is loaded, the arrows add a tank, and Save
# writes all eleven values, bounded, also under the longest name the file system takes, as typed.
# Save over a datafile, with no room left for the temporary file's suffix, with accented letters or
# into a missing folder, and Load of a datafile, are refused with a message. The control set-up
# binds keys: player 1 keeps Keyboard and presses seven, player 2 steps down to Mouse/Keys and
# presses four, player 3 up to Joystick, where finding no pad, a key goes on. Escape leaves one
# menu at a time and does nothing in the main menu; Exit writes exactly those records. The next
# run starts from the default settings, loads the saved file, and its match ends by itself. Under
# a file-size limit Save says it failed, and Exit says in a box and on standard error that the
# bindings were not saved and why, ends with status 2 and leaves keyboard.cfg whole; so it does in
# a folder the player cannot write.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
pack_words "$GAME/short.kmp" 9 10 3 0x$FLOAT_0_2 0x$FLOAT_2 0 1 1 50 0x$FLOAT_1 0
tanks_changed() { [ "$(line_differing $ROW_TANKS load-after.png "$1")" -gt 0 ]; }
names() { printf "$1%.0s" $(seq "$2"); }
# Player $1: the type choice, button $2 (if any) on it, OK, and the keys $3... at the prompts.
bind() {
    local player=$1 step=$2
    shift 2
    click_until_gone controls.png "332 $((152 + 60 * (player - 1)))" choice.png
    [ -z "$step" ] || { click_until_gone choice.png "$step" chosen.png && cp "$E2E_TMP"/{chosen,choice}.png; }
    click_until_gone choice.png "$TYPE_OK" prompt.png
    [ $# -eq 0 ] || type_keys "$@"
    wait_for_screen_like controls.png "controls-$player.png" "the control set-up menu after player $player"
}

(cd "$GAME" && unset DISPLAY && exec timeout -s KILL 60 ./tankarena </dev/null >"$E2E_TMP/nodisplay.out" 2>&1)
status=$?
own_failure $status || fail "without a display the game ended with status $status"
grep -q "^Couldn't Init" "$E2E_TMP/nodisplay.out" || fail "without a display the game gave no message"
start_game
open_options
cp "$E2E_TMP/options.png" "$E2E_TMP/options-default.png"
use_settings_file load short.kmp options.png
tanks_changed options-default.png || fail "after Load the tanks line still shows the default"
click_until load-after.png "328 $((78 + 35 * (ROW_TANKS - 1)))" "the tanks line to change" options-more.png tanks_changed
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
click_until_gone options-more.png "$OPTIONS_CONTROLS" controls.png
bind 1 "" q w e r t y u
bind 2 "$TYPE_DOWN" a s d f
bind 3 "$TYPE_UP" space
escape_to options-more.png
escape_to menu-start.png
# The main menu still answers after Escape (Options, then Escape back).
hold_key Escape
open_options
escape_to menu-start.png
# No keyboard.cfg yet: neither the start without a display nor the menus write one.
[ "$(ls "$GAME" | sort | xargs)" = "$LONG menus.dat more.kmp short.kmp sounds.dat tankarena textures.dat" ] ||
    fail "other files than more.kmp and the long name before Exit: $(ls "$GAME")"
click_exit
# Types 0 Keyboard, 1 Mouse/Keys, 3 Joystick; scancodes KEY_A = 1 ... KEY_Z = 26.
expect_words "$GAME/keyboard.cfg" keyboard.cfg 0 17 23 5 18 20 25 21 1 1 19 4 6 0 0 0 \
    3 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0
for file in more.kmp "$LONG"; do
    expect_words "$GAME/$file" "the saved settings" 10 10 4 0x$FLOAT_0_2 0x$FLOAT_2 0 1 1 50 0x$FLOAT_1 0
done

start_game
load_settings more.kmp
[ "$(line_differing $ROW_TANKS options-default.png options.png)" -eq 0 ] ||
    fail "the second run did not start with the default number of tanks"
[ "$(line_differing $ROW_TANKS options-more.png load-after.png)" -eq 0 ] ||
    fail "after Load the tanks line does not show the saved value"
# The match may end before a screenshot catches it; either way the menu comes back alone.
start_match 1 "unlike start-menu.png"
WAIT_SECONDS=600 wait_for_screen_like menu-start.png menu-after-match.png "the match to end by itself"
click_exit

# Not one byte may be written: Save and Exit fail, and the game goes on.
cp "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.kept"
GAME_RUNNER="prlimit --fsize=0" start_game
open_options
use_settings_file save limited.kmp options.png refused
escape_to menu-start.png
# Standard error goes to a file here, which the limit stops too: the box has to say it.
exit_unsaved ""
[ ! -e "$GAME/limited.kmp" ] || fail "Save under a size limit left limited.kmp"
cmp -s "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.kept" || fail "Exit under a size limit changed keyboard.cfg"
[ -z "$(ls -d "$GAME"/*.tmp* 2>/dev/null)" ] || fail "a temporary file was left: $(ls "$GAME")"

# A folder the player may not write to; root may write anywhere, so then the game runs as nobody.
chmod 755 "$E2E_TMP" "$E2E_TMP/home" && chmod a-w "$GAME" "$GAME/keyboard.cfg"
[ "$(id -u)" -ne 0 ] || runner="setpriv --reuid=65534 --regid=65534 --clear-groups"
GAME_RUNNER=${runner:-} start_game
exit_unsaved "Permission denied"
chmod u+w "$GAME"
cmp -s "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.kept" || fail "Exit in a read-only folder changed keyboard.cfg"
pass
