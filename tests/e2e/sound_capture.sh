#!/usr/bin/env bash
# With a sound device the game plays the sound of a shot. The game's default ALSA device writes
# into a file; in a three-player match with three tanks there is no computer tank, so all stays
# silent until player 1 fires with Space, and then the shot is heard.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

audio="$E2E_TMP/audio.raw"
capture_sound_to "$audio"

# Bindings: player 1 shoots with Space (scancode 75); nobody else has a key.
raw="$E2E_TMP/keyboard.raw"
: >"$raw"
put_int32 0 "$raw" # Keyboard
for _ in 0 1 2 3 4 5; do put_int32 0 "$raw"; done
put_int32 75 "$raw" # Shoot
for _ in $(seq 24); do put_int32 0 "$raw"; done
[ "$(file_size "$raw")" -eq 128 ] || fail "made bindings of $(file_size "$raw") bytes"
pack_file "$raw" "$GAME/keyboard.cfg"

# Settings: the defaults with three tanks.
raw="$E2E_TMP/settings.raw"
: >"$raw"
put_int32 150 "$raw"
put_int32 150 "$raw"
put_int32 3 "$raw"
put_word_hex $FLOAT_0_2 "$raw"
put_word_hex $FLOAT_2 "$raw"
put_int32 50 "$raw"
put_int32 3 "$raw"
put_int32 6 "$raw"
put_int32 50 "$raw"
put_word_hex $FLOAT_1 "$raw"
put_int32 200 "$raw"
pack_file "$raw" "$GAME/three.kmp"

start_game
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/main-menu.png"
wait_for "the game to open the sound device" test -s "$audio"
click "$MAIN_OPTIONS"
wait_for_screen_change main-menu.png options.png "the options menu"
load_settings_via_menu three.kmp
hold_key Escape
wait_for_screen_like main-menu.png menu-after-options.png "the main menu"
click "$MAIN_START"
wait_for_screen_change main-menu.png start-menu.png "the start menu"
click "$START_PLAYERS_3"
wait_screen shows_three_views match.png "a match with three views"

# Nothing has made a sound yet.
before=$(file_size "$audio")
before=$((before / 4 * 4))
audio_grew() { [ "$(file_size "$audio")" -gt $((before + 8192)) ]; }
wait_for "more sound output" audio_grew
quiet=$(loud_samples "$audio" 0 "$before")
[ "$quiet" -eq 0 ] || fail "$quiet loud samples before anyone fired"
log "silent so far ($before bytes of sound output)"

heard() { [ "$(loud_samples "$audio" "$before")" -gt 100 ]; }
press_until space "the sound of the shot" heard
log "the shot was heard: $(loud_samples "$audio" "$before") loud samples"

REFERENCE="$E2E_TMP/main-menu.png"
press_until Escape "the end of the match" screen_is_reference
wait_for_screen_like main-menu.png menu-after-match.png "the main menu after the match"
click "$MAIN_EXIT"
wait_game_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
pass
