#!/usr/bin/env bash
# The control set-up menu binds keys: player 1 chooses Keyboard and presses seven keys, player 2
# chooses Mouse/Keys and presses four, player 3 chooses Joystick and presses none. Escape twice
# and Exit, and keyboard.cfg holds exactly those records.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options.png "the options menu"
click "$OPTIONS_CONTROLS"
wait_for_screen_change options.png controls.png "the control set-up menu"

# Player 1: the type choice starts at Keyboard; OK, then a prompt for each of seven actions.
click "$(controls_player 1)"
wait_for_screen_change controls.png type-choice-1.png "the type choice of player 1"
click "$TYPE_OK"
wait_for_screen_change type-choice-1.png prompts-1.png "the key prompts of player 1"
type_keys q w e r t y u
wait_for_screen_like controls.png controls-after-1.png "the control set-up menu after player 1"

# Player 2: one step down from Keyboard is Mouse/Keys, which asks for four keys.
click "$(controls_player 2)"
wait_for_screen_change controls.png type-choice-2.png "the type choice of player 2"
click "$TYPE_DOWN"
wait_for_screen_change type-choice-2.png type-mouse-2.png "Mouse/Keys to be shown"
click "$TYPE_OK"
wait_for_screen_change type-mouse-2.png prompts-2.png "the key prompts of player 2"
type_keys a s d f
wait_for_screen_like controls.png controls-after-2.png "the control set-up menu after player 2"

# Player 3: one step up from Keyboard wraps round to Joystick, which asks for no key.
click "$(controls_player 3)"
wait_for_screen_change controls.png type-choice-3.png "the type choice of player 3"
[ "$(pixels_differing type-choice-1.png type-choice-3.png)" -le 40 ] ||
    fail "the type choice of player 3 did not start at Keyboard like that of player 1"
click "$TYPE_UP"
wait_for_screen_change type-choice-3.png type-joystick-3.png "Joystick to be shown"
[ "$(pixels_differing type-mouse-2.png type-joystick-3.png)" -gt 0 ] ||
    fail "one step up shows the same type as one step down"
click "$TYPE_OK"
wait_for_screen_like controls.png controls-after-3.png "the control set-up menu after player 3"

# Escape leaves the control set-up menu only, the second Escape the options menu.
hold_key Escape
wait_for_screen_like options.png options-after-controls.png "the options menu after the control set-up"
hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu"
[ ! -e "$GAME/keyboard.cfg" ] || fail "keyboard.cfg was written before Exit"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"

[ -f "$GAME/keyboard.cfg" ] || fail "Exit wrote no keyboard.cfg"
raw="$E2E_TMP/keyboard.raw"
unpack_file "$GAME/keyboard.cfg" "$raw"
[ "$(file_size "$raw")" -eq 128 ] || fail "keyboard.cfg holds $(file_size "$raw") bytes, not 128"
expect_record() {
    local player=$1 type=$2
    shift 2
    local base=$((32 * (player - 1))) got a=0
    got=$(int32_at "$raw" $base) || exit 1
    [ "$got" = "$type" ] || fail "player $player has control type $got, not $type"
    for want in "$@"; do
        got=$(int32_at "$raw" $((base + 4 + 4 * a))) || exit 1
        [ "$got" = "$want" ] || fail "player $player action $a is bound to scancode $got, not $want"
        a=$((a + 1))
    done
}
# Allegro scancodes: KEY_A = 1 ... KEY_Z = 26.
expect_record 1 0 17 23 5 18 20 25 21 # Keyboard: Q W E R T Y U
expect_record 2 1 1 19 4 6 0 0 0      # Mouse/Keys: A S D F, the turret keys untouched
expect_record 3 3 0 0 0 0 0 0 0       # Joystick: no keys
expect_record 4 0 0 0 0 0 0 0 0       # never edited
pass
