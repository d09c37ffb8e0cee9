#!/usr/bin/env bash
# The default bindings steer the right players and player 1's shot is heard (the ALSA device writes
# to a file). Three tanks for three players leave no computer tank, so nothing moves or sounds until
# a key is pressed: player 1's Z turns only their view (lower left), player 2's Q only the upper
# left, player 3's I drives only the lower right one, then player 1's Space makes the first sound,
# above -12 dBFS. Ten seconds of a default match, all its tanks firing, do not clip.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" keyboard
audio=$E2E_TMP/audio.raw
capture_sound_to "$audio"
# The defaults with three tanks and no trees, which could hold a tank where it stands.
pack_words "$GAME/three.kmp" 150 150 3 0x$FLOAT_0_2 0x$FLOAT_2 50 3 6 50 0x$FLOAT_1 0
VIEW_1="[320x240+0+240]" VIEW_2="[320x240+0+0]" VIEW_3="[320x240+320+240]"
view_moved() { snap && [ "$(pixels_differing "$STILL$1" "$SHOT$1")" -gt 10000 ]; }
# Key $1 moves view $2 and leaves views $3 and $4 alone but for another tank in sight.
steer() {
    press_until "$1" "view $2 to move" view_moved "$2"
    wait_screen_settled "after-$1.png"
    for view in "$3" "$4"; do
        [ "$(pixels_differing "$STILL$view" "after-$1.png$view")" -le 1500 ] || fail "$1 moved view $view too"
    done
    STILL=$E2E_TMP/after-$1.png
}

start_game
wait_for "the game to open the sound device" test -s "$audio"
load_settings three.kmp
start_match 3 shows_three_views
wait_screen_settled still.png
STILL=$E2E_TMP/still.png
steer z "$VIEW_1" "$VIEW_2" "$VIEW_3"
steer q "$VIEW_2" "$VIEW_1" "$VIEW_3"
steer i "$VIEW_3" "$VIEW_1" "$VIEW_2"

# Silence so far, in a stream that goes on; then the shot.
before=$(capture_end "$audio")
wait_for "more sound output" eval '[ "$(file_size "$audio")" -gt $((before + 8192)) ]'
[ "$(loud_samples "$audio" 0 "$before")" -eq 0 ] || fail "sound before anyone fired"
press_until space "the sound of the shot" heard_after "$audio" "$before"
wait_for_sound "$audio" 1 "$(capture_end "$audio")"
read -r peak clipped <<<"$(sound_levels "$audio" "$before")"
log "player 1's shot beside player 1: peak $peak dBFS, $clipped clipped samples"
awk -v p="$peak" 'BEGIN { exit !(p > -12) }' && [ "$clipped" -eq 0 ] || fail "the shot peaks at $peak dBFS with $clipped clipped samples"
leave_match
exit_rewrites_keyboard

# A default match, whose computer tanks fire in step: ten seconds of it never clip.
start_game
start_match 1 shows_one_view
before=$(capture_end "$audio")
wait_for_sound "$audio" 10 "$before"
read -r peak clipped <<<"$(sound_levels "$audio" "$before")"
log "10 s of a default match: peak $peak dBFS, $clipped clipped samples"
[ "$clipped" -eq 0 ] || fail "the mix of a default match clipped $clipped samples (peak $peak dBFS)"
leave_match
click_exit
pass
