#!/usr/bin/env bash
# Hostile files beside the real game: keyboard.cfg of random bytes, too short, huge, a folder or
# unreadable; settings files of NaN, infinite, negative and huge values, loaded and played;
# datafiles short of objects, cut short or missing; FIFOs in place of every file the game opens. Each time the game either runs and leaves
# through Exit with status 0, or ends with a clear message and a failure status: never by a
# signal, never hanging, and no file the player had is lost.
. "$(dirname "$0")/lib.sh"
SOURCE=$1
e2e_setup "$SOURCE"
CASE=""

# The game folder as the build made it, with no keyboard.cfg and no sound device.
fresh_folder() {
    CASE=$1
    log "case: $CASE"
    # Removed first: cp would wait on a FIFO left by a case before.
    rm -rf "$GAME"/keyboard.cfg* "$GAME"/*.kmp "$GAME"/*.dat "$GAME"/screen.bmp "$HOME/.asoundrc"
    cp "$SOURCE"/menus.dat "$SOURCE"/sounds.dat "$SOURCE"/textures.dat "$GAME"/
}

no_signal() {
    if [ "$GAME_STATUS" -gt 128 ] && [ "$GAME_STATUS" -le 192 ]; then
        fail "$CASE: the game died of signal $((GAME_STATUS - 128))"
    fi
}

exit_from_menu() {
    click_until_gone menu-start.png "$MAIN_EXIT"
    wait_game_exit 60
    no_signal
    [ "$GAME_STATUS" -eq 0 ] || fail "$CASE: Exit ended the game with status $GAME_STATUS"
    [ -z "$(ls -d "$GAME"/*.tmp* 2>/dev/null)" ] || fail "$CASE: a temporary file was left behind"
}

# From the main menu, a match for $1 players whose screen passes picture test $2; it runs a
# while, then Escape brings the main menu back.
play_match() {
    start_match "$1" "$2" "$CASE-match.png"
    sleep 3
    game_running || fail "$CASE: the game ended during the match (status $(game_status_now))"
    leave_match
}

# A start that cannot go on: a message box (Allegro's xmessage, which waits for OK), the message
# on standard output, and a failure status.
message_or_end() { ! game_running || [ -n "$(xdotool search --name '^xmessage$' 2>/dev/null)" ]; }
expect_refused_start() {
    (cd "$GAME" && exec ./tankarena >"$E2E_TMP/refused.out" 2>&1) &
    GAME_PID=$!
    wait_for "the message box ($CASE)" message_or_end
    local box tries=0
    while box=$(xdotool search --name '^xmessage$' 2>/dev/null | head -n 1) && [ -n "$box" ]; do
        [ "$tries" -eq 0 ] && shot "$CASE-message.png"
        [ $((tries += 1)) -le 20 ] || fail "$CASE: the message box does not close"
        xdotool windowfocus "$box" key Return 2>/dev/null
        sleep 1
    done
    wait_game_exit 60
    no_signal
    [ "$GAME_STATUS" -ne 0 ] || fail "$CASE: a start without its menu images ended with status 0"
    grep -q "Couldn't load \"menus.dat\"" "$E2E_TMP/refused.out" || fail "$CASE: no clear message"
}

raw_payload() { head -c "$1" /dev/urandom; }

# --- keyboard.cfg -------------------------------------------------------------------------
# Not a packed file: nothing is read, and Exit writes the bindings in its place.
for size in 4096 3; do
    fresh_folder "keyboard.cfg of $size random bytes"
    raw_payload "$size" >"$GAME/keyboard.cfg"
    start_game
    exit_from_menu
    unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/written.raw"
    [ "$(file_size "$E2E_TMP/written.raw")" -eq 128 ] || fail "$CASE: Exit wrote no bindings"
done

# Unpacked, with random records: odd control types and scancodes out of range for all four.
fresh_folder "keyboard.cfg of 1 MiB"
raw_payload 1048576 >"$E2E_TMP/big.raw"
{ printf 'slh.' && cat "$E2E_TMP/big.raw"; } >"$GAME/keyboard.cfg"
start_game
play_match 4 differs_from_reference
exit_from_menu
unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/written.raw"
head -c 128 "$E2E_TMP/big.raw" | cmp -s - "$E2E_TMP/written.raw" ||
    fail "$CASE: Exit did not write back the 128 bytes that were read"

fresh_folder "keyboard.cfg a folder"
mkdir -p "$GAME/keyboard.cfg/inside"
start_game
exit_from_menu
[ -d "$GAME/keyboard.cfg/inside" ] || fail "$CASE: the folder was not left as it was"

fresh_folder "keyboard.cfg unreadable"
cp "$SOURCE/keyboard.cfg" "$GAME/keyboard.cfg"
chmod 000 "$GAME/keyboard.cfg"
if [ "$(id -u)" -eq 0 ]; then
    # Root reads anything: the game runs as nobody, in a folder it may write to.
    chmod 755 "$E2E_TMP" "$HOME"
    chown 65534:65534 "$GAME" "$GAME/keyboard.cfg"
    GAME_RUNNER="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
start_game
exit_from_menu
GAME_RUNNER=""
[ "$(stat -c %a "$GAME/keyboard.cfg")" = 0 ] && cmp -s "$SOURCE/keyboard.cfg" "$GAME/keyboard.cfg" ||
    fail "$CASE: the unreadable file changed"
chown -R "$(id -u):$(id -g)" "$GAME"
chmod 644 "$GAME/keyboard.cfg"

# A FIFO would block the game in open() for ever: each is refused at once like an unreadable
# file. A match is played without sounds and textures, F12 saves no screenshot, Load says the
# FIFO holds no settings, and Exit leaves keyboard.cfg a FIFO.
fresh_folder "FIFOs for keyboard.cfg, the sounds, the textures, screen.bmp and a settings file"
FIFOS="keyboard.cfg sounds.dat textures.dat screen.bmp pipe.kmp"
for name in $FIFOS; do rm -f "$GAME/$name" && mkfifo "$GAME/$name"; done
start_game
start_match 1 shows_one_view "$CASE-match.png"
hold_key F12
leave_match
click_until_gone menu-start.png "$MAIN_OPTIONS"
wait_screen_settled options.png
load_settings_via_menu pipe.kmp
[ "$(pixels_differing options-before-load.png options-after-load.png)" -gt 100 ] || fail "$CASE: Load of a FIFO said nothing"
type_keys Return
wait_for_screen_like options-before-load.png options-back.png "the options menu after the message"
escape_to menu-start.png
exit_from_menu
for name in $FIFOS; do [ -p "$GAME/$name" ] || fail "$CASE: $name is no longer a FIFO"; done

# --- Settings files: loaded through the options menu, then played -------------------------
fresh_folder "settings files of odd values"
# Eleven words in file order: arena width and height, tanks, tank speed, rotation speed, fire
# speed, computer and human lives, bullet life, bullet speed, trees; floats as 0x and their bits.
MIN=-2147483648 MAX=2147483647
pack_words "$GAME/nan.kmp" 150 150 50 0x7fc00000 0x7fc00000 50 3 6 50 0xffc00000 200
pack_words "$GAME/infinite.kmp" 150 150 50 0x7f800000 0xff800000 50 3 6 50 0x7f800000 200
pack_words "$GAME/negative.kmp" $MIN $MIN $MIN 0xff7fffff 0xbf800000 $MIN $MIN $MIN $MIN 0xff7fffff $MIN
pack_words "$GAME/huge.kmp" $MAX $MAX $MAX 0x7f7fffff 0x7f7fffff $MAX $MAX $MAX $MAX 0x7f7fffff $MAX
for name in nan infinite negative huge; do cp "$GAME/$name.kmp" "$E2E_TMP/$name.kept"; done
start_game
for name in nan infinite negative huge; do
    CASE="settings $name"
    click_until_gone menu-start.png "$MAIN_OPTIONS"
    wait_screen_settled options.png
    load_settings_via_menu "$name.kmp"
    # Escape again if a slow pass of the menu missed it; the main menu ignores it.
    REFERENCE=$E2E_TMP/menu-start.png
    press_until Escape "the main menu after Load" screen_is_reference
    play_match "$([ $name = huge ] && echo 4 || echo 1)" differs_from_reference
done
exit_from_menu
for name in nan infinite negative huge; do
    cmp -s "$GAME/$name.kmp" "$E2E_TMP/$name.kept" || fail "settings file $name.kmp changed"
done

# --- Datafiles ----------------------------------------------------------------------------
fresh_folder "textures.dat of two objects"
dat -d "$GAME/textures.dat" 02_TRACKS_BMP 03_HUMAN_TANK_BMP >/dev/null || fail "dat failed"
start_game
play_match 1 shows_one_view
exit_from_menu

fresh_folder "textures.dat cut short"
head -c 100000 "$SOURCE/textures.dat" >"$GAME/textures.dat"
start_game
play_match 1 shows_one_view
exit_from_menu

# With a sound device, so that the missing samples matter.
fresh_folder "sounds.dat missing"
rm "$GAME/sounds.dat"
capture_sound_to "$E2E_TMP/sound.raw"
start_game
play_match 1 shows_one_view
exit_from_menu
[ -e "$E2E_TMP/sound.raw" ] || fail "$CASE: the game opened no sound device"

fresh_folder "menus.dat missing"
rm "$GAME/menus.dat"
expect_refused_start

fresh_folder "menus.dat a FIFO"
rm "$GAME/menus.dat" && mkfifo "$GAME/menus.dat"
expect_refused_start

fresh_folder "menus.dat cut short"
head -c 100000 "$SOURCE/menus.dat" >"$GAME/menus.dat"
cp "$GAME/menus.dat" "$E2E_TMP/menus.kept"
expect_refused_start
cmp -s "$GAME/menus.dat" "$E2E_TMP/menus.kept" || fail "$CASE: menus.dat changed"
pass
