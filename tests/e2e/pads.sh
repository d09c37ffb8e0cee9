#!/usr/bin/env bash
# Gamepads through Allegro's own Linux joystick driver, which reads the FIFOs of the test double
# (pad_double.cpp, preloaded; $2 is the library) as /dev/input/js0 and js1. Player 1 chooses
# Gamepad while no pad is there: the set-up says so and a key goes on. With two pads plugged in,
# player 1 binds the second by pressing a button on it; Escape at player 2's prompt keeps the
# keyboard. In a one-player match only the bound pad's stick turns and drives the tank, its face
# button fires (the shot is heard), and F12 held for seconds writes one screenshot while the
# picture keeps moving. In a two-player match the pad steers the lower view and the keyboard the
# upper one; the pad pulled out while its stick is held leaves that tank standing and the game
# goes on. Exit keeps the pad in player 1's record and player 2's keys.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard
[ -f "${2:-}" ] || fail "usage: $0 GAME_DIR PAD_DOUBLE_LIBRARY"
GAME_RUNNER="env LD_PRELOAD=$2 ${GAME_RUNNER:-}"
export PAD_DOUBLE_DIR=$E2E_TMP/pads
mkdir -p "$PAD_DOUBLE_DIR"
audio=$E2E_TMP/audio.raw
capture_sound_to "$audio"
# Three tanks in a wide arena without trees: the computer tanks are far out of sight. Every tank
# reloads for half an hour, so after the computer tanks' first shots only the player's is heard.
pack_words "$GAME/pads.kmp" 1000 1000 3 0x$FLOAT_0_2 0x$FLOAT_2 100000 3 6 50 0x$FLOAT_1 0

# The kernel's js_event to pad $1: type $2 (1 button, 2 axis), number $3, value $4.
pad_event() { perl -e 'print pack "LsCC", 0, $ARGV[2], $ARGV[0], $ARGV[1]' "${@:2}" >>"$PAD_DOUBLE_DIR/js$1"; }
# Plugs pad $1 in: an Xbox pad at rest, its triggers (axes 2 and 5) fully out. The test keeps the
# FIFO open read-write, so that what it writes waits there for the game.
plug_in() {
    mkfifo "$PAD_DOUBLE_DIR/js$1" || fail "mkfifo failed"
    eval "exec {PAD_FD_$1}<>'$PAD_DOUBLE_DIR/js$1'"
    pad_event "$1" 2 2 -32767 && pad_event "$1" 2 5 -32767
}
# Button $2 of pad $1 held a while, as a player presses it.
press_button() { pad_event "$1" 1 "$2" 1 && sleep 0.3 && pad_event "$1" 1 "$2" 0 && sleep 0.2; }
# Button $2 of pad $1 pressed until command $4... succeeds ($3 names it).
press_button_until() {
    local start=$SECONDS
    while [ $((SECONDS - start)) -lt "${WAIT_SECONDS:-$E2E_WAIT}" ]; do
        need_game "to press button $2 of pad $1"
        press_button "$1" "$2" && WAIT_SECONDS=5 within "${@:4}" && return
    done
    fail "gave up pressing button $2 of pad $1 for $3"
}
# Axis $2 of pad $1 held at $3 until part $5 of the screen ($4 names the move) changes in more
# than $6 pixels (10000), then let go.
tilt_until_moved() {
    local start=$SECONDS
    pad_event "$1" 2 "$2" "$3"
    until WAIT_SECONDS=3 within view_moved "$5" "${6:-10000}"; do
        [ $((SECONDS - start)) -lt "$E2E_WAIT" ] || fail "axis $2 of pad $1 at $3 did not $4"
        pad_event "$1" 2 "$2" "$3"
    done
    pad_event "$1" 2 "$2" 0
    wait_screen_settled "after-$4.png"
    STILL=$E2E_TMP/after-$4.png
}
# Sky atop the view or both halves: a tank placed by a wall may see no ground in a corner.
shows_a_view() { [ "$(count_points sky "$1" 80,3 160,6 320,3 480,6 560,3)" -ge 4 ] && unlike menu-start.png "$1"; }
shows_two_views() {
    [ "$(count_points sky "$1" 80,3 160,6 320,3 480,6 560,3 80,243 160,246 320,243 480,246 560,243)" -ge 8 ] &&
        unlike menu-start.png "$1"
}
screen_bmp_shows_a_view() {
    [ "$(identify -format '%w %h' "$GAME/screen.bmp" 2>/dev/null)" = "640 480" ] &&
        convert "$GAME/screen.bmp" "$E2E_TMP/screen-bmp.png" && shows_a_view screen-bmp.png
}
view_moved() { snap && [ "$(pixels_differing "$STILL$1" "$SHOT$1")" -gt "${2:-10000}" ]; }
still_for_a_while() {
    sleep 2
    wait_screen_settled "$1.png"
    [ "$(pixels_differing "$STILL" "$1.png")" -le 1500 ] || fail "$2"
}
# Player $2's (1) type choice: Up twice from Keyboard (Joystick, then Gamepad), then OK.
choose_gamepad() {
    click 332 $((152 + 60 * (${2:-1} - 1)))
    wait_for_screen_change controls.png choice.png "the type choice of player ${2:-1}"
    for _ in 1 2; do click "$TYPE_UP" && wait_for_screen_change choice.png choice.png "another type"; done
    shot choice-gamepad.png
    click_until_gone choice.png "$TYPE_OK"
    wait_screen_settled "$1"
}

start_game
wait_for "the game to open the sound device" test -s "$audio"
load_settings pads.kmp
open_options
click_until_gone options.png "$OPTIONS_CONTROLS"
wait_screen_settled controls.png
choose_gamepad no-pad.png
[ "$(pixels_differing controls.png no-pad.png)" -gt 200 ] || fail "no word that no pad was found"
press_until space "the control set-up after no pad" on_screen controls.png
plug_in 0
plug_in 1
choose_gamepad press-a-button.png
[ "$(pixels_differing no-pad.png press-a-button.png)" -gt 200 ] || fail "the same words with two pads"
press_button_until 1 0 "the control set-up after the pad's button" on_screen controls.png
# Escape at the prompt keeps player 2 at the keyboard, and the control set-up open.
choose_gamepad press-a-button-2.png 2
hold_key Escape
wait_for_screen_like controls.png controls-after-escape.png "the control set-up after Escape"
escape_to options.png
escape_to menu-start.png

start_match 1 shows_a_view
wait_screen_settled still.png
STILL=$E2E_TMP/still.png
ALL="[640x480+0+0]"
# Silence once the computer tanks' first shots have died away; then the face button's shot.
quiet=""
for _ in $(seq 60); do
    before=$(capture_end "$audio")
    wait_for "more sound output" eval '[ "$(file_size "$audio")" -gt $((before + 65536)) ]'
    [ "$(loud_samples "$audio" "$before")" -ne 0 ] || { quiet=yes && break; }
done
[ -n "$quiet" ] || fail "the match never fell silent"
press_button_until 1 0 "the sound of the pad's shot" heard_after "$audio" "$before"
# The other pad's stick and button do nothing; the bound pad's left stick turns and drives.
pad_event 0 2 0 -32767 && pad_event 0 1 0 1
still_for_a_while other-pad "the unbound pad moved the view"
pad_event 0 2 0 0 && pad_event 0 1 0 0
# The view follows the turret: a turning hull changes only the tank in front of it.
tilt_until_moved 1 0 -32767 turn "[240x160+200+320]" 2000
tilt_until_moved 1 1 -32767 drive "$ALL"
tilt_until_moved 1 3 32767 turn-turret "$ALL"
# F12 held with the stick over: one screenshot, and the picture keeps moving.
pad_event 1 2 3 32767
need_game "to hold F12" && xdotool keydown F12
wait_for "F12's screen.bmp" screen_bmp_shows_a_view
sleep 0.5
written=$(stat -c %y "$GAME/screen.bmp")
snap && first=$SHOT && sleep 2.5 && snap
[ "$(pixels_differing "$first" "$SHOT")" -gt 10000 ] || fail "the picture stood still while F12 was held"
sleep 2.5
[ "$(stat -c %y "$GAME/screen.bmp")" = "$written" ] || fail "F12 held wrote screen.bmp more than once"
xdotool keyup F12
pad_event 1 2 3 0
leave_match

# Two players: the pad has the lower view, the keyboard (Q turns the turret) the upper one.
start_match 2 shows_two_views
wait_screen_settled still-2.png
STILL=$E2E_TMP/still-2.png
LOWER="[640x240+0+240]" UPPER="[640x240+0+0]"
tilt_until_moved 1 3 32767 turn-lower "$LOWER"
[ "$(pixels_differing "still-2.png$UPPER" "after-turn-lower.png$UPPER")" -le 1500 ] || fail "the pad moved the upper view"
press_until q "the upper view to move" view_moved "$UPPER"
wait_screen_settled after-q.png
STILL=$E2E_TMP/after-q.png
# The stick held over, the pad pulled out: the tank stops and the keyboard player plays on.
pad_event 1 2 3 32767
WAIT_SECONDS=20 wait_for "the lower view to turn" view_moved "$LOWER"
rm "$PAD_DOUBLE_DIR/js1"
eval "exec {PAD_FD_1}>&-"
wait_screen_settled pulled.png
STILL=$E2E_TMP/pulled.png
still_for_a_while after-pull "the tank of the pulled pad did not stop"
press_until q "the upper view to move after the pull" view_moved "$UPPER"
leave_match

click_exit
# Player 1: Gamepad, bound to the second pad, the other keys as they were.
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.raw"
unpack_file "$E2E_SOURCE/keyboard.cfg" "$E2E_TMP/keyboard-default.raw"
record=$(od -An -v -td4 -N 32 "$E2E_TMP/keyboard.raw" | xargs)
default=$(od -An -v -td4 -j 8 -N 24 "$E2E_TMP/keyboard-default.raw" | xargs)
[ "$record" = "2 65537 $default" ] || fail "player 1's record holds $record"
cmp -s -i 32 "$E2E_TMP/keyboard.raw" "$E2E_TMP/keyboard-default.raw" || fail "the other players' records changed"
pass
