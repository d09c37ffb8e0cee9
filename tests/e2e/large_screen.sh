#!/usr/bin/env bash
# A 1920x1080 screen without a window manager: the menus and every match share one 1280x960
# window at the top left, the menus twice as large with each button taken at its magnified
# place; a four-player match's screen.bmp is 1280x960 with the views in their quarters.
# Alt+Enter gives a full-screen window with the picture centred and black beside it, for the
# next match and the next start (display.cfg), and Alt+Enter again the window.
. "$(dirname "$0")/lib.sh"
E2E_SCREEN=1920x1080x24
windowed() { E2E_WINDOW=1280x960 E2E_PICTURE=1280x960+0+0; }
full_screen() { E2E_WINDOW=1920x1080 E2E_PICTURE=1440x1080+240+0; }
windowed
e2e_setup "$1" keyboard

# Only the window of the game, as large as its presentation, at the top left.
window_is() { [ "$(game_windows)" = "${E2E_WINDOW/x/ } 0 0" ]; }
# The screen's columns beside the centred picture are black.
black_beside_picture() {
    import -window root "$E2E_TMP/root.png"
    for band in 240x1080+0+0 240x1080+1680+0; do
        [ "$(convert "$E2E_TMP/root.png" -crop "$band" +repage -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
            fail "the band $band beside the full-screen picture is not black"
    done
}
# Alt+Enter, held again only while the window is still the other one.
switch_screen() {
    local start=$SECONDS
    until window_is; do
        [ $((SECONDS - start)) -lt "$E2E_WAIT" ] || fail "Alt+Enter gave windows $(game_windows), not one $E2E_WINDOW"
        need_game "for Alt+Enter" && xdotool keydown alt keydown Return sleep 0.4 keyup Return keyup alt
        WAIT_SECONDS=10 within window_is && break
    done
    wait_for_screen_like menu-start.png menu-switched.png "the main menu after Alt+Enter"
}

# F12's picture is the window's, sampled down to compare with the views' layout.
screen_bmp_is() {
    [ "$(identify -format '%wx%h' "$GAME/screen.bmp" 2>/dev/null)" = "$1" ] &&
        convert "$GAME/screen.bmp" -sample '640x480!' "$E2E_TMP/screen-bmp.png" && shows_four_views screen-bmp.png
}
shows_two_views() { views_show_match "$1" 640x240 0,0 0,240; }

start_game
window_is || fail "the menus are in windows $(game_windows), not in one 1280x960 at (0,0)"
open_options
escape_to menu-start.png
start_match 4 shows_four_views
window_is || fail "the match is in windows $(game_windows), not in the menus' 1280x960 at (0,0)"
press_until F12 "a 1280x960 screen.bmp of four views" screen_bmp_is 1280x960
leave_match
for players in 1 2 3; do
    start_match $players "$(echo "shows_one_view shows_two_views shows_three_views" | cut -d' ' -f$players)"
    window_is || fail "the match for $players is in windows $(game_windows)"
    leave_match
done

full_screen
switch_screen
black_beside_picture
grep -q '^full_screen = 1' "$GAME/display.cfg" || fail "display.cfg does not keep the full screen"
click_exit
start_game
window_is || fail "the next start is in windows $(game_windows), not full screen"
black_beside_picture
start_match 1 shows_one_view
window_is || fail "the full-screen match is in windows $(game_windows)"
black_beside_picture
leave_match
windowed
switch_screen
grep -q '^full_screen = 0' "$GAME/display.cfg" || fail "display.cfg does not keep the window"
click_exit
pass
