# shellcheck shell=bash disable=SC2034,SC2048,SC2086,SC2155,SC2217
# End-to-end helpers: the real game in a private folder on a private X server, driven with
# xdotool as a person would; every wait is a bounded poll. . lib.sh; e2e_setup DIR; start_game; ...
set -u

E2E_WAIT=${E2E_WAIT:-120}         # seconds a condition may take on this small, shared machine
E2E_DEADLINE=${E2E_DEADLINE:-900} # the watchdog ends the whole test after this
PARK_X=632 PARK_Y=472             # the pointer rests on no button, so screens compare equal
SKY_RGB="26 179 230"              # the match's clear and fog colour; 16-bit modes drop low bits
E2E_NAME=$(basename "$0" .sh)
E2E_PROGRAM=${E2E_PROGRAM:-tankarena} E2E_SCREEN=${E2E_SCREEN:-640x480x24}
E2E_WINDOW_MANAGER=${E2E_WINDOW_MANAGER:-} E2E_FOLLOW_WINDOW=${E2E_FOLLOW_WINDOW:-} WM_PID="" GAME_X=0 GAME_Y=0
# On a larger screen: the game's window (WxH at the top left), and where the 640x480 picture
# shows magnified in it (WxH+X+Y). Points are given and screenshots compared on the picture.
E2E_WINDOW=${E2E_WINDOW:-640x480} E2E_PICTURE=${E2E_PICTURE:-}
E2E_TMP="" XVFB_PID="" GAME_PID="" GAME_STATUS="" WATCHDOG_PID="" SHOT_COUNT=0 SHOT="" PREVIOUS="" CASE=""

log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }
pass() { log passed; exit 0; }
# Ends the test as failed; the game's output and screenshots stay in e2e-failures/.
fail() {
    printf '[%s] FAIL: %s\n' "$E2E_NAME" "${CASE:+$CASE: }$*" >&2
    [ -n "$E2E_TMP" ] || exit 1
    ! game_running || import -window root "$E2E_TMP/at-failure.png" 2>/dev/null
    tail -n 20 "$E2E_TMP"/game.out "$E2E_TMP"/game.err >&2 2>/dev/null
    local keep=$PWD/e2e-failures/$E2E_NAME
    mkdir -p "$keep" 2>/dev/null && cp "$E2E_TMP"/*.png "$E2E_TMP"/game.* "$keep"/ 2>/dev/null
    echo "screenshots and output kept in $keep" >&2
    exit 1
}
e2e_cleanup() {
    local status=$? pid
    trap - EXIT INT TERM
    [ -z "$GAME_PID" ] || kill -KILL "$GAME_PID" 2>/dev/null
    [ -z "${E2E_AT_CLEANUP:-}" ] || $E2E_AT_CLEANUP
    for pid in $GAME_PID $WM_PID $XVFB_PID $WATCHDOG_PID; do kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    [ -z "$E2E_TMP" ] || [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_TMP"
    exit "$status"
}

# The private game folder ($GAME), home ($HOME) and X server; with "keyboard" the built
# keyboard.cfg, dated 2001. scripts/install-deps.sh installs Xvfb, xdotool, ImageMagick and pack.
e2e_setup() {
    local src=${1:-} self=$$
    [ -x "$src/$E2E_PROGRAM" ] || fail "usage: $0 GAME_DIR (a folder with the built game)"
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/e2e-$E2E_NAME.XXXXXX") || fail "mktemp failed"
    trap e2e_cleanup EXIT
    trap 'fail interrupted' INT TERM
    # The watchdog ends the test through its trap; its sleep ends with it.
    (
        trap 'kill $! 2>/dev/null; exit 0' TERM
        sleep "$E2E_DEADLINE" </dev/null >/dev/null 2>&1 &
        wait $! && echo "[$E2E_NAME] deadline of $E2E_DEADLINE s reached" >&2 && kill -TERM $self
    ) &
    WATCHDOG_PID=$! GAME=$E2E_TMP/game E2E_SOURCE=$src
    mkdir -p "$GAME" "$E2E_TMP/home"
    cp "$src/$E2E_PROGRAM" "$GAME"/
    cp "$src"/{menus,sounds,textures}.dat "$GAME"/ || log "warning: a datafile is missing"
    [ "${2:-}" != keyboard ] || cp "$src/keyboard.cfg" "$GAME"/ || fail "no keyboard.cfg in $src"
    touch -c -d 2001-01-01 "$GAME/keyboard.cfg"
    # No ALSA or Allegro set-up of the machine's user leaks in; a test may put its own there.
    export HOME=$E2E_TMP/home
    start_xvfb
}
# A fresh X server; -noreset, as a reset when the last client leaves drops a game starting then.
# The number of a server killed before must not be read as the new one's.
start_xvfb() {
    : >"$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for "Xvfb's display number" xvfb_ready
    export DISPLAY=:$(head -n 1 "$E2E_TMP/display")
    wait_for "the X server to answer" xdotool getmouselocation
    [ -z "$E2E_WINDOW_MANAGER" ] || { $E2E_WINDOW_MANAGER >"$E2E_TMP/window-manager.log" 2>&1 & WM_PID=$!; }
}
xvfb_ready() {
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(tail -n 5 "$E2E_TMP/xvfb.log")"
    grep -q '^[0-9][0-9]*$' "$E2E_TMP/display"
}

# Polls a command until it succeeds, for at most $WAIT_SECONDS (default $E2E_WAIT) seconds.
within() {
    local start=$SECONDS
    until "$@" >/dev/null; do
        [ $((SECONDS - start)) -lt "${WAIT_SECONDS:-$E2E_WAIT}" ] || return 1
        sleep 0.5
    done
}
wait_for() { within "${@:2}" || fail "gave up after ${WAIT_SECONDS:-$E2E_WAIT} s waiting for $1"; }

cpu_ticks() { need_game "to count its processor time" && awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }
need_game() {
    game_running && return
    [ -z "$GAME_PID" ] || { wait "$GAME_PID" 2>/dev/null; GAME_STATUS=$?; }
    fail "the game is not running (status ${GAME_STATUS:-none}) $*"
}

# Starts the game ($GAME_COMMAND, or the one in $GAME) in $GAME (through $GAME_RUNNER); returns
# once its menu stands as menu-start.png.
start_game() {
    GAME_STATUS=""
    (cd "$GAME" && exec ${GAME_RUNNER:-} "${GAME_COMMAND:-./$E2E_PROGRAM}" >>"$E2E_TMP/game.out" 2>>"$E2E_TMP/game.err") &
    GAME_PID=$!
    wait_for "a window named \"Tank Arena\" and a $E2E_WINDOW one at (0,0)" game_window_shown
    wait_screen_settled menu-start.png
}
named_window_shown() { xdotool search --onlyvisible --name '^Tank Arena$' >/dev/null 2>&1; }
# The named window, and besides the root a window at the top left, where all points here lie
# (a window smaller than the screen is not the root).
game_window_shown() {
    need_game "to show a window"
    [ -z "$E2E_FOLLOW_WINDOW" ] || { follow_window; return; }
    named_window_shown && [ "$(xdotool search --onlyvisible --maxdepth 1 --name '.*' \
        getwindowgeometry %@ 2>/dev/null | tr -d '\n' | grep -o "Position: 0,0 [^G]*Geometry: $E2E_WINDOW" | wc -l)" -ge \
        "$([ "${E2E_SCREEN%x*}" = "$E2E_WINDOW" ] && echo 2 || echo 1)" ]
}
# "W H X Y" of each visible window named "Tank Arena", one a line.
game_windows() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Tank Arena$' 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h, x, y }'
    done | sort -u
}
# A failure status of the game's own: not 0, and not a signal's (129 to 192; exit(-1) gives 255).
own_failure() { [ "$1" -ne 0 ] && { [ "$1" -le 128 ] || [ "$1" -gt 192 ]; }; }
wait_game_exit() {
    WAIT_SECONDS=${1:-60} wait_for "the game to end" eval '! game_running'
    wait "$GAME_PID" 2>/dev/null
    GAME_STATUS=$? GAME_PID=""
    log "game ended with status $GAME_STATUS"
}
# Exit ends the game with status 0; clicked again while it runs on, as a busy machine can miss one.
click_exit() {
    for _ in 1 2 3 4 5 6; do
        ! game_running || { press_at "$MAIN_EXIT" && WAIT_SECONDS=10 within eval '! game_running'; }
    done
    wait_game_exit 5 && [ "$GAME_STATUS" -eq 0 ] || fail "Exit ended the game with status $GAME_STATUS"
}
# The window manager's close button on every window of the game (tests/e2e/close_window.cpp).
close_game_window() {
    local w
    [ -x "${E2E_CLOSE_WINDOW:-}" ] || fail "E2E_CLOSE_WINDOW names no close_window program (ctest sets it)"
    for w in $(xdotool search --name '^Tank Arena$' 2>/dev/null); do "$E2E_CLOSE_WINDOW" "$w"; done
}
# Exit that cannot write keyboard.cfg: a box (closed with Enter), status 2, and the reason $1 on
# standard error (unless $1 is empty).
exit_unsaved() {
    click_until_gone menu-start.png "$MAIN_EXIT" exit-refused.png
    for _ in 1 2 3 4 5; do
        ! game_running || { type_keys Return && WAIT_SECONDS=10 within eval '! game_running'; }
    done
    wait_game_exit 5
    [ "$GAME_STATUS" -eq 2 ] || fail "Exit that could not save ended with status $GAME_STATUS"
    [ -z "$1" ] || grep "key bindings could NOT be saved to keyboard.cfg ($1)" "$E2E_TMP/game.err" ||
        fail "no word of the lost bindings and why"
}
exit_rewrites_keyboard() {
    click_exit
    [ "$(stat -c %Y "$GAME/keyboard.cfg")" -gt 1000000000 ] || fail "Exit did not write keyboard.cfg"
    unpack_file "$E2E_SOURCE/keyboard.cfg" "$E2E_TMP/keyboard-before.raw"
    unpack_file "$GAME/keyboard.cfg" "$E2E_TMP/keyboard-after.raw"
    cmp -s "$E2E_TMP"/keyboard-{before,after}.raw || fail "Exit changed the bindings read at start-up"
}

# GAME_X and GAME_Y of the 640x480 "Tank Arena" window (a mode change may put up another).
follow_window() {
    local w geometry
    for w in $(xdotool search --onlyvisible --name '^Tank Arena$' 2>/dev/null); do
        geometry=$(xwininfo -id "$w" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF } /Height:/ { h = $NF } END { if (w == 640 && h == 480) print x, y }')
        [ -n "$geometry" ] && read -r GAME_X GAME_Y <<<"$geometry" && return 0
    done
    return 1
}
screen_point() {
    set -- $*
    [ -z "$E2E_FOLLOW_WINDOW" ] || follow_window || true
    [ -z "$E2E_PICTURE" ] || { picture_point "$@"; return; }
    echo $(($1 + GAME_X)) $(($2 + GAME_Y))
}
# Point "X Y" of the picture: the middle of its magnified pixel on the screen.
picture_point() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$E2E_PICTURE"
    echo $((x + (2 * $1 + 1) * w / 1280)) $((y + (2 * $2 + 1) * h / 960))
}
# The game learns where the pointer is only from motion, and forgets it at a mode change. With
# KEEP_POINTER set, the pointer stays where it is (for pictures of a lit button).
park_pointer() {
    [ -z "${KEEP_POINTER:-}" ] || return 0
    xdotool mousemove $(screen_point $((PARK_X - 3)) $((PARK_Y - 3))) mousemove $(screen_point $PARK_X $PARK_Y) sleep 0.1 2>/dev/null
}
# A press that polling menus see: the left button held a while at "X Y" (one argument or two).
press_at() { xdotool mousemove $(screen_point $*) sleep 0.15 mousedown 1 sleep 0.4 mouseup 1 sleep 0.15 && park_pointer; }
click() { need_game "for a click at $*" && press_at "$@"; }
# Holds key $1 for $2 (0.4) seconds, long enough for a game that polls the key state.
hold_key() { need_game "to press $1" && xdotool keydown "$1" sleep "${2:-0.4}" keyup "$1"; }
# Holds key $1 until command $3... succeeds ($2 names it): a slow frame can swallow a press.
press_until() {
    local start=$SECONDS
    while [ $((SECONDS - start)) -lt "${WAIT_SECONDS:-$E2E_WAIT}" ]; do
        hold_key "$1" 1 && WAIT_SECONDS=5 within "${@:3}" && return
    done
    fail "gave up pressing $1 for $2"
}
type_keys() { need_game "to type" && xdotool key --delay 350 "$@"; }

path_of() { case $1 in /*) echo "$1" ;; *) echo "$E2E_TMP/$1" ;; esac }
# The X screen, or the game's window on it; a window may be gone while the mode changes.
shot() { WAIT_SECONDS=$([ -z "$E2E_FOLLOW_WINDOW" ] && echo 2 || echo 20) wait_for "a screenshot" take_shot "$(path_of "$1")"; }
take_shot() {
    [ -z "$E2E_PICTURE" ] || { import -window root -crop "$E2E_PICTURE" "$1.full.png" && convert "$1.full.png" +repage -sample '640x480!' "$1"; return; }
    [ -n "$E2E_FOLLOW_WINDOW" ] || { import -window root "$1"; return; }
    follow_window && import -window root -crop "640x480+$GAME_X+$GAME_Y" +repage "$1"
}
snap() { SHOT=$E2E_TMP/poll-$((SHOT_COUNT++ % 3)).png && shot "$SHOT"; }
# Pixels that differ beyond a small fuzz; pictures that cannot be compared differ everywhere.
pixels_differing() {
    compare -metric AE -fuzz 4% "$(path_of "$1")" "$(path_of "$2")" null: 2>&1 |
        awk 'NR == 1 { n = /^[0-9]/ ? $1 + 0 : 999999 } END { printf "%d\n", NR ? n : 999999 }'
}
# How many of the points "X,Y ..." of picture $2 are sky ($1 = sky) or ground (neither sky nor black).
count_points() {
    local kind=$1 file=$2 fx="" p
    shift 2
    for p; do fx+="%[fx:int(255*p{$p}.r+.5)] %[fx:int(255*p{$p}.g+.5)] %[fx:int(255*p{$p}.b+.5)]\n"; done
    convert "$(path_of "$file")" -format "$fx" info: | awk -v kind="$kind" -v sky="$SKY_RGB" '
        BEGIN { split(sky, k) }
        { m = 0; for (i = 1; i <= 3; i++) { d = $i - k[i]; if (d < 0) d = -d; if (d > m) m = d } }
        kind == "sky" && m <= 20 || kind == "ground" && m > 40 && $1 + $2 + $3 > 30 { n++ }
        END { print n + 0 }'
}
# Picture $1 shows a match in the views "X,Y" ... of size $2: sky on top, ground in the corners below.
views_show_match() {
    local f=$1 w=${2%x*} h=${2#*x} v x y
    for v in "${@:3}"; do
        x=${v%,*} y=${v#*,}
        [ "$(count_points sky "$f" $((x + w / 8)),$((y + 3)) $((x + w / 4)),$((y + 6)) \
            $((x + w / 2)),$((y + 3)) $((x + 3 * w / 4)),$((y + 6)) $((x + 7 * w / 8)),$((y + 3)))" -ge 3 ] &&
            [ "$(count_points ground "$f" $((x + 4)),$((y + h - 4)) $((x + w / 8)),$((y + h - 10)) \
                $((x + 7 * w / 8)),$((y + h - 10)) $((x + w - 5)),$((y + h - 4)))" -ge 3 ] || return 1
    done
}
shows_one_view() { views_show_match "$1" 640x480 0,0; }
# Three players: the upper right quarter belongs to nobody and shows only the clear colour.
shows_three_views() {
    views_show_match "$1" 320x240 0,0 0,240 320,240 && [ "$(count_points sky "$1" 330,10 480,120 630,230 400,200 560,40)" -eq 5 ]
}
shows_four_views() { views_show_match "$1" 320x240 0,0 0,240 320,240 320,0; }

like() { [ "$(pixels_differing "$1" "$2")" -le 40 ]; }
unlike() { ! like "$@"; }
# Not one flat colour, and like the previous poll.
settled() {
    local p=$PREVIOUS
    PREVIOUS=$1
    [ -n "$p" ] && [ "$(pixels_differing "$p" "$1")" -le 20 ] &&
        convert "$1" -format '%[fx:standard_deviation > 0.002]' info: | grep -q 1
}
on_screen() { park_pointer && snap && like "$1" "$SHOT"; }
# For wait_for ($1 says what for): a fresh screenshot, kept as $2, passes test $3... (given it last).
screen_passes() {
    need_game "while waiting for $1"
    park_pointer
    snap && "${@:3}" "$SHOT" && cp "$SHOT" "$(path_of "$2")"
}
wait_screen() { wait_for "$1 (last screens in poll-*.png)" screen_passes "$@"; }
wait_screen_settled() { PREVIOUS="" && wait_screen "the screen to settle" "$1" settled; }
wait_for_screen_like() { wait_screen "$3" "$2" like "$1"; }
# Waits until the screen differs from picture $1, then until it settles as $2.
wait_for_screen_change() { wait_screen "$3" "$2" unlike "$1" && wait_screen_settled "$2"; }

# F12, pressed until screen.bmp is a 640x480 picture of the match, sky on top and ground below.
screenshot_match() { press_until F12 "a 640x480 screen.bmp of the match" screen_bmp_shows_match; }
screen_bmp_shows_match() {
    [ "$(identify -format '%w %h' "$GAME/screen.bmp" 2>/dev/null)" = "640 480" ] &&
        convert "$GAME/screen.bmp" "$E2E_TMP/screen-bmp.png" && shows_one_view screen-bmp.png
}
unpack_file() { rm -f "$2" && pack u "$1" "$2" >/dev/null 2>&1 && [ -f "$2" ] || fail "pack could not unpack $1"; }
file_size() { wc -c <"$1" | tr -d ' '; }
# The bytes of each word: a number, or 0x and a float's bits. Settings files hold, in order: arena
# width and height, tanks, tank, rotation and fire speeds, computer and human lives, bullet life
# and speed, trees.
le32() { perl -e 'print pack "V*", map { (/^0x/ ? hex : $_) & 0xffffffff } @ARGV' -- "$@"; }
pack_words() {
    le32 "${@:2}" >"$E2E_TMP/words.raw" && rm -f "$1" && pack "$E2E_TMP/words.raw" "$1" >/dev/null 2>&1 && [ -f "$1" ] ||
        fail "pack could not pack $1"
}
# Packed file $1 ($2 names it) holds exactly the words that follow.
expect_words() {
    unpack_file "$1" "$E2E_TMP/got.raw"
    le32 "${@:3}" | cmp -s - "$E2E_TMP/got.raw" || fail "$2 holds $(od -An -v -td4 "$E2E_TMP/got.raw" | xargs), not ${*:3}"
}
FLOAT_0_2=3e4ccccd FLOAT_1=3f800000 FLOAT_2=40000000

MAIN_START="250 165" MAIN_OPTIONS="250 215" MAIN_EXIT="320 260"
START_PLAYERS_1="332 177" START_PLAYERS_2="332 214" START_PLAYERS_3="332 251" START_PLAYERS_4="332 288"
OPTIONS_SAVE="462 82" OPTIONS_LOAD="462 117" OPTIONS_CONTROLS="462 252"
ROW_TANKS=3 ROW_TREES=11
# Pixels of the text line of options row $1 that differ between pictures $2 and $3.
line_differing() { local g=[300x12+48+$((78 + 35 * ($1 - 1)))] && pixels_differing "$2$g" "$3$g"; }
TYPE_UP="308 268" TYPE_DOWN="348 268" TYPE_OK="328 308"

# Clicks at $2 until a fresh screenshot, kept as $4, passes test $5... ($3 says what for): a busy
# machine can lose a click, and show its effect late. The click is repeated, less often each
# time, only while the screen stands as picture $1 again; with $1 = "-" a click there again is
# harmless (it hits no button of the screen that follows), and is repeated anyway.
click_until() {
    local before=$1 point=$2 what=$3 keep=$4 start=$SECONDS last=$SECONDS clicks=0
    shift 4
    until screen_passes "$what" "$keep" "$@"; do
        [ $((SECONDS - start)) -lt "$E2E_WAIT" ] ||
            fail "gave up after $E2E_WAIT s and $clicks clicks at $point waiting for $what (last screens in poll-*.png)"
        if [ $clicks -eq 0 ] || { [ $((SECONDS - last)) -ge $((2 * clicks)) ] &&
            { [ "$before" = - ] || like "$before" "$SHOT"; }; }; then
            click "$point"
            clicks=$((clicks + 1)) last=$SECONDS
        fi
    done
}
# A click at $2, repeated until the screen settles as another than picture $1, kept as $3.
click_until_gone() {
    local keep=${3:-changed.png} tries=0
    until click_until "$1" "$2" "a change after a click at $2" "$keep" unlike "$1" &&
        wait_screen_settled "$keep" && unlike "$1" "$keep"; do
        [ $((tries += 1)) -le 5 ] || fail "a click at $2 does nothing"
    done
}
# Pictures $1 and $2 differ in more than a few pixels of area $3 (WxH+X+Y).
differs_in() { [ "$(pixels_differing "$(path_of "$2")[$1]" "$(path_of "$3")[$1]")" -gt 1000 ]; }
# The start menu's player buttons and the options menu's Save and Load lie on plain background in
# the main menu, away from its buttons and the parked pointer.
start_menu_shown() { differs_in 170x120+430+175 menu-start.png "$1"; }
options_menu_shown() { differs_in 150x60+455+72 menu-start.png "$1"; }
# From the main menu, a match for $1 players, once a screenshot (kept as $3) passes test $2 (words).
# Start and Options are clicked left of the centre line, where the screens they open have no button.
start_match() {
    local button=START_PLAYERS_$1
    click_until - "$MAIN_START" "the start menu" start-menu.png start_menu_shown
    wait_screen_settled start-menu.png
    click_until - "${!button}" "a match for $1" "${3:-match.png}" $2
}
leave_match() {
    press_until Escape "the end of the match" on_screen menu-start.png
    wait_for_screen_like menu-start.png menu-after-match.png "the main menu after the match"
}
open_options() {
    click_until - "$MAIN_OPTIONS" "the options menu" options.png options_menu_shown && wait_screen_settled options.png
}
escape_to() { press_until Escape "$1 after Escape" on_screen "$1"; }
# Options menu: Save ($1 = save) or Load as name $2; the menu stood as picture $3 before. With
# $4 = refused, a message comes and Enter closes it. The menu is back as $1-after.png.
use_settings_file() {
    click_until_gone "$3" "$([ $1 = save ] && echo "$OPTIONS_SAVE" || echo "$OPTIONS_LOAD")" "$1-dialog.png"
    need_game "to type" && xdotool type --delay 120 "$2"
    wait_screen_settled "$1-typed.png"
    type_keys Return
    if [ "${4:-}" = refused ]; then
        wait_for_screen_change "$1-typed.png" "$1-refused.png" "the message after $1 as $2"
        [ "$(pixels_differing "$3" "$1-refused.png")" -gt 100 ] || fail "$1 as $2 said nothing"
        type_keys Return
    elif [ $1 = load ]; then
        wait_for_screen_change "$1-typed.png" "$1-after.png" "the options menu after Load"
        return
    fi
    wait_for_screen_like "$3" "$1-after.png" "the options menu after $1"
}
load_settings() {
    open_options
    use_settings_file load "$1" options.png
    # Escape again if a slow pass of the menu missed it; the main menu ignores it.
    press_until Escape "the main menu after Load" on_screen menu-start.png
}

# The default ALSA device of the private home writes raw samples to file $1.
capture_sound_to() {
    printf 'pcm.!default {\n type file\n slave.pcm "null"\n file "%s"\n format "raw"\n}\n' "$1" >"$HOME/.asoundrc"
}
# Where capture $1 ends, in whole 4-byte frames: what plays from now on comes after it.
capture_end() { echo $(($(file_size "$1") / 4 * 4)); }
heard_after() { [ "$(loud_samples "$1" "$2")" -gt 100 ]; }
# 16-bit samples from byte $2 (to $3) that stray from the silence the file starts with.
loud_samples() {
    od -An -v -tu2 -w2 -j "$2" ${3:+-N $(($3 - $2))} "$1" | awk -v s="$(od -An -tu2 -N 2 "$1")" \
        '{ d = $1 - s; if (d > 512 || d < -512) n++ } END { print n + 0 }'
}
# The loudest sample from byte $2 of capture $1 in dB of full scale, and how many samples reach
# the rails (clipped). The device writes unsigned 16-bit samples, silence at 32768.
sound_levels() {
    od -An -v -tu2 -w2 -j "$2" "$1" | awk '{ v = $1 - 32768; a = v < 0 ? -v : v; if (a > m) m = a
        if (v >= 32767 || v <= -32768) n++ } END { printf "%.1f %d\n", m ? 20 * log(m / 32768) / log(10) : -99, n }'
}
# Waits until capture $1 holds $2 seconds of sound beyond byte $3.
wait_for_sound() {
    wait_for "$2 s more sound" eval "[ \"\$(file_size '$1')\" -gt $(($3 + 44100 * 4 * $2)) ]"
}
