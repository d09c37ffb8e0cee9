#!/usr/bin/env bash
# Matches for one, four and again one player in one run on a 16-bit X screen, without a sound
# device: player 1 fires in silence, F12 writes screen.bmp, Escape brings the menus back, and
# Exit ends with status 0 and writes keyboard.cfg again with the bindings read at start-up. The
# terminal shows one line, that the game plays without sound, and a window list finds the game
# by name throughout.
. "$(dirname "$0")/lib.sh"
E2E_SCREEN=640x480x16
e2e_setup "$1" keyboard

start_game
# Waiting in the main menu leaves the processor nearly idle, and the clicks after it still count.
# Whatever the sound library has to say comes meanwhile.
busy_before=$(cpu_ticks)
sleep 10
busy=$(($(cpu_ticks) - busy_before))
[ "$busy" -lt $((2 * $(getconf CLK_TCK))) ] || fail "10 s in the main menu took $busy processor ticks, a fifth of a core at most is allowed"
start_match 1 shows_one_view
named_window_shown || fail 'no visible window named "Tank Arena" in the match'
# Space fires and Z turns the turret in the default bindings; the match goes on.
hold_key space
hold_key z 0.5
sleep 2
wait_screen "the match to go on" match-later.png shows_one_view
[ ! -e "$GAME/screen.bmp" ] || fail "screen.bmp was written before F12"
screenshot_match
leave_match

start_match 4 shows_four_views
leave_match
start_match 1 shows_one_view
leave_match
[ "$(stat -c %Y "$GAME/keyboard.cfg")" -lt 1000000000 ] || fail "keyboard.cfg was written before Exit"
exit_rewrites_keyboard
printed=$(cat "$E2E_TMP/game.out" "$E2E_TMP/game.err")
[ "$(printf '%s' "$printed" | grep -c .)" -le 1 ] || fail "the game printed more than one line: $printed"
[ -z "$printed" ] || log "the game printed: $printed"
pass
