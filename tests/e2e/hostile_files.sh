#!/usr/bin/env bash
# Hostile files beside the real game: keyboard.cfg of random records; settings files of NaN,
# infinite and extreme values, loaded and played; datafiles short of objects, cut short or
# missing; FIFOs in place of the files the game opens. Each time the game either runs and leaves
# through Exit with status 0 (2, with a box, when keyboard.cfg cannot be written), or ends with a
# clear message and a failure status: never by a signal, never hanging, and no file the player
# had is lost.
. "$(dirname "$0")/lib.sh"
SOURCE=$1
e2e_setup "$SOURCE"

# The game folder as the build made it, with no keyboard.cfg and no sound device.
fresh_folder() {
    CASE=$1
    log "case: $CASE"
    # Removed first: cp would wait on a FIFO left by a case before.
    rm -rf "$GAME"/keyboard.cfg* "$GAME"/display.cfg "$GAME"/*.kmp "$GAME"/*.dat "$GAME"/screen.bmp "$HOME/.asoundrc"
    cp "$SOURCE"/{menus,sounds,textures}.dat "$GAME"/
}
# A FIFO would block the game in open() for ever: each is refused at once like an unreadable
# file, and F12 and Exit leave them FIFOs, and say so.
fresh_folder "FIFOs for keyboard.cfg, display.cfg, the sounds, the textures and screen.bmp"
FIFOS="keyboard.cfg display.cfg sounds.dat textures.dat screen.bmp"
for name in $FIFOS; do rm -f "$GAME/$name" && mkfifo "$GAME/$name"; done
start_game
start_match 1 shows_one_view
press_until F12 "a word that screen.bmp was not written" grep -q "screenshot could NOT be saved" "$E2E_TMP/game.err"
leave_match
exit_unsaved "the name is taken by another kind of file"
for name in $FIFOS; do [ -p "$GAME/$name" ] || fail "$name is no longer a FIFO"; done

# With a sound device, so that the missing samples matter; keyboard.cfg unpacked, its records of
# odd control types and scancodes out of range; settings of NaN, -infinity, infinity and FLT_MAX.
fresh_folder "random bindings, textures.dat of two objects, no sounds.dat, odd settings"
head -c 1048576 /dev/urandom >"$E2E_TMP/big.raw"
{ printf 'slh.' && cat "$E2E_TMP/big.raw"; } >"$GAME/keyboard.cfg"
dat -d "$GAME/textures.dat" 02_TRACKS_BMP 03_HUMAN_TANK_BMP >/dev/null || fail "dat failed"
rm "$GAME/sounds.dat"
capture_sound_to "$E2E_TMP/sound.raw"
MIN=-2147483648 MAX=2147483647
pack_words "$GAME/low.kmp" $MIN $MIN $MIN 0x7fc00000 0xff800000 $MIN $MIN $MIN $MIN 0x7f800000 $MIN
pack_words "$GAME/high.kmp" $MAX $MAX $MAX 0x7f7fffff 0x7f7fffff $MAX $MAX $MAX $MAX 0x7f7fffff $MAX
cp "$GAME"/low.kmp "$GAME"/high.kmp "$E2E_TMP"/
start_game
start_match 1 shows_one_view
sleep 3
leave_match
for name in low high; do
    load_settings "$name.kmp"
    start_match "$([ $name = high ] && echo 4 || echo 1)" "unlike start-menu.png" "match-$name.png"
    sleep 3
    leave_match
done
click_exit
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/written.raw"
head -c 128 "$E2E_TMP/big.raw" | cmp -s - "$E2E_TMP/written.raw" || fail "Exit did not write back the 128 bytes read"
for name in low high; do cmp -s "$GAME/$name.kmp" "$E2E_TMP/$name.kmp" || fail "$name.kmp changed"; done
[ -e "$E2E_TMP/sound.raw" ] || fail "the game opened no sound device"

for how in missing "a FIFO" "cut short"; do
    fresh_folder "menus.dat $how"
    rm "$GAME/menus.dat"
    [ "$how" != "a FIFO" ] || mkfifo "$GAME/menus.dat"
    [ "$how" != "cut short" ] || head -c 100000 "$SOURCE/menus.dat" >"$GAME/menus.dat"
    # Allegro's message box (xmessage) waits for OK.
    (cd "$GAME" && exec ./tankarena >"$E2E_TMP/refused.out" 2>&1) &
    GAME_PID=$! tries=0
    wait_for "the message box" eval '! game_running || xdotool search --name "^xmessage$"'
    while box=$(xdotool search --name '^xmessage$' 2>/dev/null | head -n 1) && [ -n "$box" ]; do
        [ $((tries += 1)) -le 20 ] || fail "the message box does not close"
        xdotool windowfocus "$box" key Return 2>/dev/null
        sleep 1
    done
    wait_game_exit 60
    own_failure "$GAME_STATUS" || fail "a start without its menu images ended with status $GAME_STATUS"
    grep -q "Couldn't load \"menus.dat\"" "$E2E_TMP/refused.out" || fail "no clear message"
done
pass
