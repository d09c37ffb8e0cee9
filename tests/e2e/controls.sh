#!/usr/bin/env bash
# Without a display the game ends at once with a message and a failure status. With one, the
# control set-up menu binds keys: player 1 keeps Keyboard and presses seven keys, player 2 steps
# down to Mouse/Keys and presses four, player 3 steps up to Joystick and none. Escape leaves one
# menu at a time and does nothing in the main menu; Exit writes exactly those records.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

(cd "$GAME" && unset DISPLAY && exec timeout -s KILL 60 ./tankarena </dev/null >"$E2E_TMP/nodisplay.out" 2>&1)
status=$?
own_failure $status || fail "without a display the game ended with status $status"
grep -q "^Couldn't Init" "$E2E_TMP/nodisplay.out" || fail "without a display the game gave no message"
[ ! -e "$GAME/keyboard.cfg" ] || fail "without a display the game wrote keyboard.cfg"

start_game
open_options
click "$OPTIONS_CONTROLS"
wait_for_screen_change options.png controls.png "the control set-up menu"
# Player $1: the type choice, button $2 (if any) on it, OK, and the keys $3... at the prompts.
bind() {
    local player=$1 step=$2
    shift 2
    click 332 $((152 + 60 * (player - 1)))
    wait_for_screen_change controls.png choice.png "the type choice of player $player"
    [ -z "$step" ] || { click "$step" && wait_for_screen_change choice.png choice.png "another type"; }
    click_until_gone choice.png "$TYPE_OK"
    [ $# -eq 0 ] || { wait_for_screen_change choice.png prompt.png "the key prompts" && type_keys "$@"; }
    wait_for_screen_like controls.png "controls-$player.png" "the control set-up menu after player $player"
}
bind 1 "" q w e r t y u
bind 2 "$TYPE_DOWN" a s d f
bind 3 "$TYPE_UP"
escape_to options.png
escape_to menu-start.png
hold_key Escape
sleep 1
wait_for_screen_like menu-start.png menu-still.png "the main menu to stay after Escape"
[ ! -e "$GAME/keyboard.cfg" ] || fail "keyboard.cfg was written before Exit"
click_exit
# Types 0 Keyboard, 1 Mouse/Keys, 3 Joystick; scancodes KEY_A = 1 ... KEY_Z = 26.
expect_words "$GAME/keyboard.cfg" keyboard.cfg 0 17 23 5 18 20 25 21 1 1 19 4 6 0 0 0 \
    3 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0
pass
