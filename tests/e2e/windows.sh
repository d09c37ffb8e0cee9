#!/usr/bin/env bash
# The Windows build under Wine, in a Wine prefix of its own on a 1024x768 virtual screen with a
# window manager: there the game cannot change the display mode and falls back to 640x480
# windows. Start, a match for one player in which a shot is heard (the ALSA device writes to a
# file), F12 writes screen.bmp, Escape brings the menus back, and Exit ends with status 0 and
# writes keyboard.cfg again with the bindings read at start-up. First, the zip's contents.
[ -f "${1:-}/tankarena.exe" ] || { echo "no tankarena.exe in ${1:-}: make windows makes it; skipped"; exit 77; }
. "$(dirname "$0")/lib.sh"
E2E_PROGRAM=tankarena.exe E2E_SCREEN=1024x768x24 E2E_WINDOW_MANAGER=openbox E2E_FOLLOW_WINDOW=1
E2E_AT_CLEANUP="wineserver -k"
command -v wine >/dev/null || fail "no wine: make windows installs it"
e2e_setup "$1" keyboard

# The zip holds the folder, its program stripped of debug information, a readme and the licences.
zip=$1/../tankarena-windows.zip
listing=$(unzip -Z1 "$zip") || fail "cannot list $zip"
for f in tankarena.exe menus.dat sounds.dat textures.dat keyboard.cfg README.txt LICENSE.txt ALLEGRO-LICENSE.txt; do
    grep -qx "tankarena/$f" <<<"$listing" || fail "the zip has no tankarena/$f"
done
unzip -p "$zip" tankarena/tankarena.exe >"$E2E_TMP/zipped.exe"
! x86_64-w64-mingw32-objdump -h "$E2E_TMP/zipped.exe" | grep -q '\.debug_' || fail "the zipped tankarena.exe has debug sections"

# The prefix is made before the game's first frame is waited for, without the optional .NET and
# HTML parts; with no PulseAudio driver DirectSound plays into the private home's ALSA device.
export WINEPREFIX=$E2E_TMP/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winepulse.drv="
wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || fail "wineboot could not make a prefix: $(tail -n 3 "$E2E_TMP/wineboot.log")"
wineserver -w
GAME_RUNNER=wine

audio=$E2E_TMP/audio.raw
capture_sound_to "$audio"
start_game
wait_for "the game to open the sound device" test -s "$audio"
[ "$(loud_samples "$audio" 0)" -eq 0 ] || fail "sound in the main menu"
start_match 1 shows_one_view
# Allegro opens the sound device again for the match's window, which starts the file again.
# The computer tanks fire too: what is heard is a shot, not only player 1's.
press_until space "the sound of a shot" heard_after "$audio" "$(capture_end "$audio")"
screenshot_match
leave_match
exit_rewrites_keyboard
pass
