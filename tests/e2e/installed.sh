#!/usr/bin/env bash
# The game as players get it on Linux. The built game started from another folder shows its
# menu, with the game's own window icon, and Exit writes keyboard.cfg there. Then make deb: the
# package holds the program, datafiles, command, a valid desktop entry, the icons, a manual page
# that renders and the licence; nothing in it names the prefix or the build; lintian finds no
# error. Its game, started through its command from / with a fresh home, shows the same menu and
# icon, Exit ends it with status 0, the default keyboard.cfg is in ~/.local/share/tankarena,
# and not a file of the unpacked package has changed.
. "$(dirname "$0")/lib.sh"
SOURCE=$1 BUILD=$2 ICON_READER=$3 XPM=$4
REPO=$(cd "$(dirname "$0")/../.." && pwd)
e2e_setup "$SOURCE"

# The icon on a window named "Tank Arena" is the generator's XPM, pixel for pixel.
shows_game_icon() {
    local w
    convert "$XPM" -background magenta -flatten "$E2E_TMP/icon-drawn.png" || fail "cannot read $XPM"
    for w in $(xdotool search --name '^Tank Arena$' 2>/dev/null); do
        "$ICON_READER" "$w" >"$E2E_TMP/icon.pam" 2>/dev/null &&
            convert "$E2E_TMP/icon.pam" -background magenta -flatten "$E2E_TMP/icon-shown.png" &&
            [ "$(compare -metric AE "$E2E_TMP/icon-shown.png" "$E2E_TMP/icon-drawn.png" null: 2>&1)" = 0 ] && return
    done
    fail "no window shows the game's icon"
}

CASE="the built game started from another folder"
GAME=$E2E_TMP/elsewhere GAME_COMMAND=$SOURCE/tankarena
mkdir -p "$GAME"
start_game
shows_game_icon
click_exit
[ -f "$GAME/keyboard.cfg" ] || fail "Exit wrote no keyboard.cfg into the working folder"

CASE="the package"
cmake --build "$BUILD" --target deb >"$E2E_TMP/deb.log" 2>&1 || fail "make deb failed: $(tail -n 5 "$E2E_TMP/deb.log")"
deb=$(ls "$BUILD"/tankarena_*_"$(dpkg --print-architecture)".deb) || fail "no package in $BUILD"
ROOT=$E2E_TMP/root
dpkg-deb -x "$deb" "$ROOT" || fail "dpkg-deb cannot unpack $deb"
log "$(basename "$deb"): $(file_size "$deb") bytes, $(find "$ROOT" -type f | wc -l) files"
for f in games/tankarena lib/games/tankarena/tankarena share/games/tankarena/{menus,sounds,textures}.dat \
    share/games/tankarena/keyboard.cfg share/applications/tankarena.desktop share/man/man6/tankarena.6.gz \
    share/metainfo/org.tankarena.TankArena.metainfo.xml share/doc/tankarena/copyright; do
    [ -f "$ROOT/usr/$f" ] || fail "the package has no /usr/$f"
done
[ -x "$ROOT/usr/games/tankarena" ] && [ -x "$ROOT/usr/lib/games/tankarena/tankarena" ] || fail "the command or the program is not executable"
for s in 16 24 32 48 256; do
    [ "$(identify -format %wx%h "$ROOT/usr/share/icons/hicolor/${s}x$s/apps/tankarena.png" 2>/dev/null)" = "${s}x$s" ] ||
        fail "no ${s}x$s icon"
done
cmp -s "$ROOT/usr/share/doc/tankarena/copyright" "$REPO/LICENSE" || fail "the copyright file is not the licence"
desktop-file-validate "$ROOT/usr/share/applications/tankarena.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.tankarena.TankArena.metainfo.xml" >"$E2E_TMP/appstream.log" 2>&1 ||
    fail "the AppStream metadata is not valid: $(cat "$E2E_TMP/appstream.log")"
man -l "$ROOT/usr/share/man/man6/tankarena.6.gz" 2>"$E2E_TMP/man.err" | grep -q "tankarena - a small 3-D tank battle game" &&
    [ ! -s "$E2E_TMP/man.err" ] || fail "the manual page does not render: $(cat "$E2E_TMP/man.err")"
named=$(grep -rlaF -e /usr/games -e /usr/lib/games -e /usr/share/games -e "$BUILD" -e "$REPO" "$ROOT") &&
    fail "these files name the prefix or the build: $named"
lintian --fail-on error "$deb" >"$E2E_TMP/lintian.log" 2>&1 || fail "lintian: $(grep -v '^[WIN]:' "$E2E_TMP/lintian.log")"
log "lintian: $(grep -c . "$E2E_TMP/lintian.log") lines: $(tr '\n' ';' <"$E2E_TMP/lintian.log")"

CASE="the packaged game started through its command from /"
find "$ROOT" -printf '%p %s %m %T@\n' | sort >"$E2E_TMP/tree-before"
cp "$E2E_TMP/menu-start.png" "$E2E_TMP/menu-elsewhere.png"
export HOME=$E2E_TMP/player
unset XDG_DATA_HOME
mkdir -p "$HOME"
GAME=/ GAME_COMMAND=$ROOT/usr/games/tankarena
start_game
like menu-elsewhere.png menu-start.png || fail "the packaged game's main menu differs from the built game's"
shows_game_icon
click_exit
own=$HOME/.local/share/tankarena
unpack_file "$own/keyboard.cfg" "$E2E_TMP/player-keys.raw"
unpack_file "$ROOT/usr/share/games/tankarena/keyboard.cfg" "$E2E_TMP/default-keys.raw"
cmp -s "$E2E_TMP"/{player,default}-keys.raw || fail "$own/keyboard.cfg does not hold the default bindings"
find "$ROOT" -printf '%p %s %m %T@\n' | sort | cmp -s - "$E2E_TMP/tree-before" || fail "the unpacked package changed"
pass
