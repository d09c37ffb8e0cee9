#!/usr/bin/env bash
# Exit from the main menu ends the program with status 0 and writes keyboard.cfg even when no
# binding was set (four empty records); without a display the program ends at once with a
# message and a failure status, not with a crash.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

start_game
[ ! -e "$GAME/keyboard.cfg" ] || fail "keyboard.cfg was made at start-up"
# Escape does nothing in the main menu.
hold_key Escape
sleep 1
game_running || fail "Escape in the main menu ended the game"
wait_for_screen_like menu-start.png menu-after-escape.png "the main menu to stay"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"

[ -f "$GAME/keyboard.cfg" ] || fail "Exit wrote no keyboard.cfg"
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/keyboard.raw"
[ "$(file_size "$E2E_TMP/keyboard.raw")" -eq 128 ] || fail "keyboard.cfg does not hold 128 bytes"
head -c 128 /dev/zero >"$E2E_TMP/zero.raw"
cmp -s "$E2E_TMP/keyboard.raw" "$E2E_TMP/zero.raw" ||
    fail "keyboard.cfg written without any binding is not four empty records"
log "Exit: status 0, empty bindings written"

# No display at all.
rm -f "$GAME/keyboard.cfg"
(
    cd "$GAME" && unset DISPLAY &&
        exec timeout -s KILL 60 ./tankarena </dev/null >"$E2E_TMP/nodisplay.out" 2>"$E2E_TMP/nodisplay.err"
)
status=$?
log "without a display: status $status"
case "$status" in 124 | 137) fail "without a display the game did not end within 60 s" ;; esac
[ "$status" -ne 0 ] || fail "without a display the game ended with status 0"
# 129 to 192 is how a death by signal shows; exit(-1) shows as 255.
if [ "$status" -gt 128 ] && [ "$status" -le 192 ]; then
    fail "without a display the game died of signal $((status - 128))"
fi
message=$(grep -v '^ALSA lib' "$E2E_TMP/nodisplay.out" "$E2E_TMP/nodisplay.err" | grep -c .)
[ "$message" -gt 0 ] || fail "without a display the game ended without a message"
log "message: $(grep -hv '^ALSA lib' "$E2E_TMP/nodisplay.out" "$E2E_TMP/nodisplay.err" | head -n 2 | tr '\n' ' ')"
[ ! -e "$GAME/keyboard.cfg" ] || fail "without a display the game wrote keyboard.cfg"
pass
