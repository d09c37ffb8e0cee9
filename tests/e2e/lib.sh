# shellcheck shell=bash disable=SC2034
# Helpers for the end-to-end tests: each test plays the real game in a private copy of its folder,
# on a private virtual X server, and drives it with xdotool as a person would.
#
# Usage in a test script (bash):
#     . "$(dirname "$0")/lib.sh"
#     e2e_setup "$1"            # $1: the built game folder (executable and datafiles)
#     start_game
#     ...
#     pass
#
# Waits are bounded polls for a condition (a window, a file, a picture, a process end); nothing
# here assumes that the game reacts within a given time, only that it does so eventually.

set -u

# How long a condition may take before the test gives up. Generous: the machine is small and
# shared, and a match is drawn in software.
E2E_WAIT=${E2E_WAIT:-120}
# The whole test ends after this many seconds whatever happens, so nothing is left running.
E2E_DEADLINE=${E2E_DEADLINE:-900}
# Where the pointer rests between clicks: on no button of any menu, so that screenshots of the
# same screen compare equal.
PARK_X=632
PARK_Y=472
# The match's clear and fog colour (0.1, 0.7, 0.9) in 8-bit channels, and how far a sampled
# pixel may stray from it (16-bit modes drop the low bits).
SKY_RGB="26 179 230"
SKY_TOLERANCE=20

E2E_NAME=$(basename "$0" .sh)
E2E_TMP=""
XVFB_PID=""
GAME_PID=""
GAME_STATUS=""
WATCHDOG_PID=""
SHOT_COUNT=0

log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# Ends the test as failed; the exit trap cleans up.
fail() {
    printf '[%s] FAIL: %s\n' "$E2E_NAME" "$*" >&2
    e2e_keep_evidence
    exit 1
}

pass() {
    log "passed"
    exit 0
}

# On failure: the game's output and the last screenshots, copied where ctest runs the test.
e2e_keep_evidence() {
    [ -n "$E2E_TMP" ] && [ -d "$E2E_TMP" ] || return 0
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        shot "$E2E_TMP/at-failure.png" 2>/dev/null || true
    fi
    local f
    for f in "$E2E_TMP"/game.out "$E2E_TMP"/game.err; do
        if [ -s "$f" ]; then
            echo "---- $(basename "$f") (last lines)" >&2
            tail -n 20 "$f" >&2
        fi
    done
    local keep="${PWD}/e2e-failures/$E2E_NAME"
    if mkdir -p "$keep" 2>/dev/null; then
        cp "$E2E_TMP"/*.png "$E2E_TMP"/game.out "$E2E_TMP"/game.err "$keep"/ 2>/dev/null || true
        echo "screenshots and output kept in $keep" >&2
    fi
}

e2e_cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill -KILL "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill -TERM "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    if [ -n "$WATCHDOG_PID" ]; then
        kill -TERM "$WATCHDOG_PID" 2>/dev/null
        wait "$WATCHDOG_PID" 2>/dev/null
    fi
    if [ -n "$E2E_TMP" ] && [ -d "$E2E_TMP" ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_TMP"
    fi
    exit "$status"
}

require_tools() {
    local t missing=""
    for t in Xvfb xdotool xwininfo import identify compare convert pack od; do
        command -v "$t" >/dev/null 2>&1 || missing="$missing $t"
    done
    [ -z "$missing" ] || fail "missing tools:$missing (scripts/install-deps.sh installs them)"
}

# Makes the private game folder ($GAME) and home ($HOME), and starts the X server.
# With "keyboard" as second argument the built default keyboard.cfg is copied as well.
e2e_setup() {
    local source_dir=${1:-}
    [ -n "$source_dir" ] || fail "usage: $0 GAME_DIR"
    require_tools
    [ -x "$source_dir/tankarena" ] || fail "no game executable in $source_dir"
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/e2e-$E2E_NAME.XXXXXX") || fail "mktemp failed"
    trap e2e_cleanup EXIT
    trap 'fail "interrupted"' INT TERM
    # A watchdog ends the test (through its trap) if it ever outlives its deadline.
    # Its sleep is ended with it, so that nothing keeps the test's output open afterwards.
    local self=$$
    (
        trap 'kill "$nap" 2>/dev/null; exit 0' TERM
        sleep "$E2E_DEADLINE" </dev/null >/dev/null 2>&1 &
        nap=$!
        wait "$nap"
        echo "[$E2E_NAME] deadline of $E2E_DEADLINE s reached" >&2
        kill -TERM "$self" 2>/dev/null
    ) &
    WATCHDOG_PID=$!

    GAME="$E2E_TMP/game"
    mkdir -p "$GAME" "$E2E_TMP/home"
    cp "$source_dir/tankarena" "$GAME/"
    local dat
    for dat in menus.dat sounds.dat textures.dat; do
        if [ -f "$source_dir/$dat" ]; then
            cp "$source_dir/$dat" "$GAME/"
        else
            log "warning: $source_dir/$dat is missing"
        fi
    done
    if [ "${2:-}" = keyboard ]; then
        [ -f "$source_dir/keyboard.cfg" ] || fail "no default keyboard.cfg in $source_dir"
        cp "$source_dir/keyboard.cfg" "$GAME/"
    fi
    # A private home: no ALSA or Allegro configuration of the machine's user leaks in, and a
    # test may put its own there.
    export HOME="$E2E_TMP/home"
    start_xvfb
}

start_xvfb() {
    local fdfile="$E2E_TMP/displayfd"
    : >"$fdfile"
    # -noreset: by default the server resets whenever its last client leaves, and drops the
    # connections that arrive meanwhile; a game starting just as an xdotool call ends would
    # then find no display.
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$fdfile" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local waited=0
    while ! grep -q '^[0-9][0-9]*$' "$fdfile" 2>/dev/null; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(tail -n 5 "$E2E_TMP/xvfb.log")"
        [ "$waited" -lt $((E2E_WAIT * 2)) ] || fail "Xvfb gave no display number"
        sleep 0.5
        waited=$((waited + 1))
    done
    DISPLAY=":$(head -n 1 "$fdfile")"
    export DISPLAY
    wait_for "the X server to answer" x_answers
    log "X server on $DISPLAY"
}

x_answers() { xdotool getmouselocation >/dev/null 2>&1; }

# Polls a command until it succeeds; fails the test after E2E_WAIT seconds (or $WAIT_SECONDS).
wait_for() {
    local what=$1
    shift
    local limit=${WAIT_SECONDS:-$E2E_WAIT}
    local start=$SECONDS
    until "$@" >/dev/null; do
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            fail "gave up after ${limit} s waiting for $what"
        fi
        sleep 0.5
    done
}

# Moves the pointer off and back onto its resting place. The game learns where the pointer is
# only from motion in its window, and forgets it when it changes display mode; this tells it again.
park_pointer() {
    xdotool mousemove $((PARK_X - 3)) $((PARK_Y - 3)) mousemove "$PARK_X" "$PARK_Y" 2>/dev/null
    sleep 0.1
}

game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }

# Starts ./tankarena in $GAME and waits until its menu is on the screen and no longer changes.
start_game() {
    GAME_STATUS=""
    (cd "$GAME" && exec ./tankarena >>"$E2E_TMP/game.out" 2>>"$E2E_TMP/game.err") &
    GAME_PID=$!
    log "game started (pid $GAME_PID)"
    wait_for "the game's window" game_window_shown
    wait_screen_settled menu-start.png
    check_window_at_origin
}

game_window_shown() {
    game_running || fail "the game ended before showing a window (status $(game_status_now))"
    [ -n "$(xdotool search --onlyvisible --name '.*' 2>/dev/null)" ]
}

# The game's window must carry its name and sit at the screen's top left, where all
# coordinates here point.
check_window_at_origin() {
    local w geometry
    [ -n "$(xdotool search --name '^Tank Arena$' 2>/dev/null)" ] ||
        fail "no window is named \"Tank Arena\""
    local root
    root=$(xwininfo -root 2>/dev/null | awk '/Window id:/ { print $4; exit }')
    for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
        [ -z "$root" ] || [ "$w" -ne $((root)) ] || continue
        geometry=$(xdotool getwindowgeometry "$w" 2>/dev/null) || continue
        case "$geometry" in
        *"Geometry: 640x480"*)
            case "$geometry" in
            *"Position: 0,0"*) return 0 ;;
            esac
            ;;
        esac
    done
    fail "no 640x480 window at (0,0): $(xdotool search --onlyvisible --name '.*' getwindowgeometry %@ 2>&1 | tr '\n' ' ')"
}

game_status_now() {
    if [ -z "$GAME_STATUS" ] && [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
        wait "$GAME_PID" 2>/dev/null
        GAME_STATUS=$?
    fi
    echo "${GAME_STATUS:-running}"
}

# Waits for the game to end and sets GAME_STATUS; a game that does not end is killed and fails
# the test.
wait_game_exit() {
    local limit=${1:-60}
    local start=$SECONDS
    while kill -0 "$GAME_PID" 2>/dev/null; do
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            kill -KILL "$GAME_PID" 2>/dev/null
            wait "$GAME_PID" 2>/dev/null
            GAME_PID=""
            fail "the game did not end within ${limit} s"
        fi
        sleep 0.5
    done
    wait "$GAME_PID" 2>/dev/null
    GAME_STATUS=$?
    GAME_PID=""
    log "game ended with status $GAME_STATUS"
}

# A press the polling menus can see: move, hold the left button a while, release, move away.
# The point is "X Y", as one argument or two.
click() {
    local x y
    read -r x y <<<"$*"
    game_running || fail "the game is not running (status $(game_status_now)) for a click at $x,$y"
    xdotool mousemove "$x" "$y"
    sleep 0.15
    xdotool mousedown 1
    sleep 0.4
    xdotool mouseup 1
    sleep 0.15
    park_pointer
}

# Holds a key long enough for a game that polls the key state; ${2} seconds (default 0.4).
hold_key() {
    game_running || fail "the game is not running (status $(game_status_now)) to press $1"
    xdotool keydown "$1"
    sleep "${2:-0.4}"
    xdotool keyup "$1"
}

# Holds a key again and again until a condition holds. In a match the game reads keys only while
# it simulates, after each frame; on a loaded machine a slow frame can swallow a whole press.
press_until() {
    local key=$1 what=$2
    shift 2
    local limit=${WAIT_SECONDS:-$E2E_WAIT}
    local start=$SECONDS settle
    while :; do
        hold_key "$key" 1
        settle=$((SECONDS + 5))
        while [ "$SECONDS" -lt "$settle" ]; do
            "$@" >/dev/null && return 0
            sleep 0.5
        done
        [ $((SECONDS - start)) -lt "$limit" ] || fail "gave up after ${limit} s pressing $key for $what"
    done
}

# For press_until: the screen now is the reference screen.
screen_is_reference() {
    park_pointer
    same_as_reference "$(next_shot)"
}

# Types keys for readers of the keyboard buffer (key prompts, the file selector).
type_keys() {
    game_running || fail "the game is not running (status $(game_status_now)) to type"
    local k
    for k in "$@"; do
        xdotool key --delay 150 "$k"
        sleep 0.2
    done
}

type_text() {
    game_running || fail "the game is not running (status $(game_status_now)) to type"
    xdotool type --delay 120 "$1"
}

# Screenshot of the whole screen; a bare name lands in the test's folder.
shot() {
    local file=$1
    case "$file" in
    /*) ;;
    *) file="$E2E_TMP/$file" ;;
    esac
    local attempt
    for attempt in 1 2 3; do
        [ "$attempt" -eq 1 ] || sleep 0.5
        import -window root "$file" 2>/dev/null && return 0
    done
    fail "could not take a screenshot"
}

# Numbered screenshot for polling loops; prints its path.
next_shot() {
    SHOT_COUNT=$((SHOT_COUNT + 1))
    local file
    file="$E2E_TMP/poll-$(printf '%04d' "$SHOT_COUNT").png"
    shot "$file"
    # Keep only the few latest polls.
    rm -f "$E2E_TMP/poll-$(printf '%04d' $((SHOT_COUNT - 3))).png"
    echo "$file"
}

path_of() {
    case "$1" in
    /*) echo "$1" ;;
    *) echo "$E2E_TMP/$1" ;;
    esac
}

# Number of pixels that differ between two pictures beyond a small colour fuzz.
pixels_differing() {
    local out
    out=$(compare -metric AE -fuzz 4% "$(path_of "$1")" "$(path_of "$2")" null: 2>&1)
    # compare prints the count, in exponent form for large counts; anything else (pictures of
    # different sizes, a missing file) counts as completely different.
    case "$out" in
    [0-9]*) awk -v v="${out%% *}" 'BEGIN { printf "%d\n", v + 0 }' ;;
    *) echo 999999 ;;
    esac
}

# "R G B" of one pixel, 8 bits a channel.
pixel() {
    convert "$(path_of "$1")" -crop "1x1+$2+$3" +repage -depth 8 -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# True when the colour "R G B" lies within TOL of "R2 G2 B2" on every channel.
colour_near() {
    local tol=$3
    set -- $1 $2
    local d
    for d in $(($1 - $4)) $(($2 - $5)) $(($3 - $6)); do
        [ "${d#-}" -le "$tol" ] || return 1
    done
    return 0
}

is_sky() { colour_near "$(pixel "$1" "$2" "$3")" "$SKY_RGB" "$SKY_TOLERANCE"; }

# Ground: neither sky nor black.
is_ground() {
    local rgb
    rgb=$(pixel "$1" "$2" "$3")
    colour_near "$rgb" "$SKY_RGB" 40 && return 1
    set -- $rgb
    [ $(($1 + $2 + $3)) -gt 30 ]
}

# How many of the points "X,Y ..." of a picture pass a pixel test (is_sky or is_ground).
count_points() {
    local test=$1 file=$2
    shift 2
    local n=0 p
    for p in "$@"; do
        if "$test" "$file" "${p%,*}" "${p#*,}"; then
            n=$((n + 1))
        fi
    done
    echo "$n"
}

# A view whose top-left corner is (X, Y) and size W x H shows a match: most points of its top
# rows are sky, and most points near its bottom corners are ground (the own tank sits in the
# middle of the bottom, so the corners are sampled).
view_shows_match() {
    local file=$1 x=$2 y=$3 w=$4 h=$5
    local top bottom
    top=$(count_points is_sky "$file" \
        $((x + w / 8)),$((y + 3)) $((x + w / 4)),$((y + 6)) $((x + w / 2)),$((y + 3)) \
        $((x + 3 * w / 4)),$((y + 6)) $((x + 7 * w / 8)),$((y + 3)))
    bottom=$(count_points is_ground "$file" \
        $((x + 4)),$((y + h - 4)) $((x + w / 8)),$((y + h - 10)) \
        $((x + 7 * w / 8)),$((y + h - 10)) $((x + w - 5)),$((y + h - 4)))
    [ "$top" -ge 3 ] && [ "$bottom" -ge 3 ]
}

# One player: a single view fills the window.
shows_one_view() { view_shows_match "$1" 0 0 640 480; }

# Four players: four quarter views, each with its own sky at the top.
shows_four_views() {
    view_shows_match "$1" 0 0 320 240 && view_shows_match "$1" 320 0 320 240 &&
        view_shows_match "$1" 0 240 320 240 && view_shows_match "$1" 320 240 320 240
}

# Waits until a fresh screenshot passes a picture test; the last one is copied to $2.
wait_screen() {
    local test=$1 keep=$2 what=$3
    local limit=${WAIT_SECONDS:-$E2E_WAIT}
    local start=$SECONDS file
    while :; do
        game_running || fail "the game ended (status $(game_status_now)) while waiting for $what"
        [ -n "${KEEP_POINTER:-}" ] || park_pointer
        file=$(next_shot) || fail "could not take a screenshot"
        if "$test" "$file"; then
            cp "$file" "$(path_of "$keep")"
            return 0
        fi
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            cp "$file" "$(path_of "$keep")"
            fail "gave up after ${limit} s waiting for $what (last screen in $keep)"
        fi
        sleep 0.5
    done
}

# Waits until the screen shows something (not one flat colour) and two screenshots a moment
# apart agree; the settled picture is kept as $1.
wait_screen_settled() {
    local keep=$1
    local limit=${WAIT_SECONDS:-$E2E_WAIT}
    local start=$SECONDS previous="" file
    while :; do
        game_running || fail "the game ended (status $(game_status_now)) before its screen settled"
        [ -n "${KEEP_POINTER:-}" ] || park_pointer
        file=$(next_shot) || fail "could not take a screenshot"
        if [ -n "$previous" ] && [ -f "$previous" ] && ! is_flat "$file" &&
            [ "$(pixels_differing "$previous" "$file")" -le 20 ]; then
            cp "$file" "$(path_of "$keep")"
            return 0
        fi
        if [ $((SECONDS - start)) -ge "$limit" ]; then
            cp "$file" "$(path_of "$keep")"
            fail "the screen did not settle within ${limit} s (last screen in $keep)"
        fi
        previous=$file
        sleep 0.7
    done
}

is_flat() {
    local sd
    sd=$(convert "$(path_of "$1")" -format '%[fx:standard_deviation]' info:)
    awk -v s="$sd" 'BEGIN { exit !(s < 0.002) }'
}

# True when picture $1 is the same screen as reference $REFERENCE (a few pixels may differ).
REFERENCE=""
same_as_reference() { [ "$(pixels_differing "$REFERENCE" "$1")" -le 40 ]; }
differs_from_reference() { [ "$(pixels_differing "$REFERENCE" "$1")" -gt 40 ]; }

# Waits until the screen settles on a picture equal to the reference.
wait_for_screen_like() {
    REFERENCE=$(path_of "$1")
    wait_screen same_as_reference "$2" "$3"
}

# Waits until the screen differs from the reference, then until it settles.
wait_for_screen_change() {
    REFERENCE=$(path_of "$1")
    wait_screen differs_from_reference "$2" "$3"
    wait_screen_settled "$2"
}

# --- Packed files -------------------------------------------------------------------------

# Unpacks an Allegro packed file to raw bytes.
unpack_file() {
    rm -f "$2"
    pack u "$1" "$2" >/dev/null 2>&1 || fail "pack could not unpack $1"
    [ -f "$2" ] || fail "pack made nothing of $1"
}

# Packs raw bytes the way the game writes its files.
pack_file() {
    rm -f "$2"
    pack "$1" "$2" >/dev/null 2>&1 || fail "pack could not pack $1"
    [ -f "$2" ] || fail "pack made nothing of $1"
}

file_size() { wc -c <"$1" | tr -d ' '; }

# Signed 32-bit little-endian integer at a byte offset.
int32_at() {
    local hex
    hex=$(od -An -v -tx1 -j "$2" -N 4 "$1" | tr -d ' \n')
    [ ${#hex} -eq 8 ] || fail "no 4 bytes at offset $2 of $1"
    local v=$((0x${hex:6:2}${hex:4:2}${hex:2:2}${hex:0:2}))
    [ "$v" -ge 2147483648 ] && v=$((v - 4294967296))
    echo "$v"
}

# The 32-bit word at a byte offset as 8 hex digits, most significant first (for floats).
word_hex_at() {
    local hex
    hex=$(od -An -v -tx1 -j "$2" -N 4 "$1" | tr -d ' \n')
    echo "${hex:6:2}${hex:4:2}${hex:2:2}${hex:0:2}"
}

# Appends a 32-bit little-endian word given in 8 hex digits.
put_word_hex() {
    local h=$1
    printf "\\x${h:6:2}\\x${h:4:2}\\x${h:2:2}\\x${h:0:2}" >>"$2"
}

put_int32() { put_word_hex "$(printf '%08x' $(($1 & 0xffffffff)))" "$2"; }

# IEEE-754 single precision bits of the few values the tests use.
FLOAT_0_2=3e4ccccd
FLOAT_1=3f800000
FLOAT_2=40000000

# --- Menus --------------------------------------------------------------------------------

# Main menu, buttons placed by their centres.
MAIN_START="320 165"
MAIN_OPTIONS="320 215"
MAIN_EXIT="320 260"
# Start menu, inside the buttons whose top-left corners are (320, 165 + 37 n).
START_PLAYERS_1="332 177"
START_PLAYERS_2="332 214"
START_PLAYERS_3="332 251"
START_PLAYERS_4="332 288"
# Options menu: Save, Load, Controls; the arrow buttons of a row are at (320|360, 70 + 35 row).
OPTIONS_SAVE="462 82"
OPTIONS_LOAD="462 117"
OPTIONS_CONTROLS="462 252"
options_up() { echo "328 $((78 + 35 * ($1 - 1)))"; }
options_down() { echo "368 $((78 + 35 * ($1 - 1)))"; }
ROW_TREES=11
ROW_TANKS=3
# Control set-up: player buttons at (320, 140 + 60 p); type choice Up, Down, OK.
controls_player() { echo "332 $((152 + 60 * ($1 - 1)))"; }
TYPE_UP="308 268"
TYPE_DOWN="348 268"
TYPE_OK="328 308"

# The settings file dialog is open once the screen changes after Save or Load; a name is typed
# into its path line and confirmed with Enter.
use_file_selector() {
    local before=$1 name=$2 tag=$3
    wait_for_screen_change "$before" "$tag-dialog.png" "the file selector"
    type_text "$name"
    sleep 0.3
    shot "$tag-typed.png"
    type_keys Return
}

# Options menu: Load a settings file by name and wait until the menu is back.
load_settings_via_menu() {
    local name=$1
    shot options-before-load.png
    click "$OPTIONS_LOAD"
    use_file_selector options-before-load.png "$name" load
    wait_for_screen_change load-typed.png options-after-load.png "the options menu after Load"
}

# Three players: views in the two left quarters and the lower right one; the upper right quarter
# belongs to nobody and shows only the clear colour.
shows_three_views() {
    view_shows_match "$1" 0 0 320 240 && view_shows_match "$1" 0 240 320 240 &&
        view_shows_match "$1" 320 240 320 240 &&
        [ "$(count_points is_sky "$1" 330,10 480,120 630,230 400,200 560,40)" -eq 5 ]
}

# --- Sound --------------------------------------------------------------------------------

# Sends the default ALSA device of the game's private home into a file of raw samples.
capture_sound_to() {
    cat >"$HOME/.asoundrc" <<ASOUNDRC
pcm.!default {
    type file
    slave.pcm "null"
    file "$1"
    format "raw"
}
ASOUNDRC
}

# Counts the 16-bit samples from byte FROM on (to TO, or to the end) that stray from silence,
# which is the value the file starts with (nothing plays before the first match).
loud_samples() {
    local file=$1 from=$2 to=${3:-}
    local silence
    silence=$(od -An -v -tu2 -N 2 "$file" | tr -d ' ')
    [ -n "$silence" ] || {
        echo 0
        return
    }
    if [ -n "$to" ]; then
        od -An -v -tu2 -w2 -j "$from" -N $((to - from)) "$file"
    else
        od -An -v -tu2 -w2 -j "$from" "$file"
    fi | awk -v s="$silence" '{ d = $1 - s; if (d < 0) d = -d; if (d > 512) n++ } END { print n + 0 }'
}
