#!/bin/sh
# The Windows release, cross-built on this machine:
#   sh build.sh NATIVE_BUILD_DIR OUTPUT_DIR
# Allegro is built once into OUTPUT_DIR/allegro; the game into OUTPUT_DIR/cmake; then
# OUTPUT_DIR/game gets tankarena.exe, stripped (its debug information stays beside the folder
# as tankarena.exe.debug), the native build's datafiles and default bindings, a README.txt for
# Windows players and the licences: the game's, and Allegro's, which the program links in.
# OUTPUT_DIR/tankarena-windows.zip is made of that folder, which unpacks as tankarena/.
set -e

HERE=$(cd "$(dirname "$0")" && pwd)
SOURCE=$(cd "$HERE/../.." && pwd)
NATIVE=$(cd "${1:?usage: build.sh NATIVE_BUILD_DIR OUTPUT_DIR}" && pwd)
mkdir -p "${2:?usage: build.sh NATIVE_BUILD_DIR OUTPUT_DIR}"
OUT=$(cd "$2" && pwd)
JOBS=${JOBS:-2}
ICON=$NATIVE/tools/datagen-scratch/tankarena.ico
ALLEGRO_LICENSE=/usr/share/doc/liballegro4.4/copyright
for f in game/menus.dat game/textures.dat game/sounds.dat tools/default-keyboard/keyboard.cfg tools/datagen-scratch/tankarena.ico; do
    [ -f "$NATIVE/$f" ] || { echo "the native build has no $f: run make build first" >&2; exit 1; }
done
[ -f "$ALLEGRO_LICENSE" ] || { echo "no $ALLEGRO_LICENSE: install liballegro4-dev" >&2; exit 1; }

sh "$HERE/build-allegro.sh" "$OUT/allegro"

# Only the Windows Allegro's pkg-config files count, never the machine's own.
PKG_CONFIG_LIBDIR=$OUT/allegro/lib/pkgconfig PKG_CONFIG_PATH="" \
    cmake -S "$SOURCE" -B "$OUT/cmake" -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-w64.cmake" \
    -DCMAKE_FIND_ROOT_PATH="$OUT/allegro" -DCMAKE_BUILD_TYPE=Release -DTANKARENA_ICON="$ICON" >/dev/null
cmake --build "$OUT/cmake" -j "$JOBS" --target tankarena

GAME=$OUT/game
rm -rf "$GAME"
mkdir -p "$GAME"
x86_64-w64-mingw32-objcopy --only-keep-debug "$OUT/cmake/game/tankarena.exe" "$OUT/tankarena.exe.debug"
x86_64-w64-mingw32-objcopy --strip-all --add-gnu-debuglink="$OUT/tankarena.exe.debug" \
    "$OUT/cmake/game/tankarena.exe" "$GAME/tankarena.exe"
for f in menus.dat textures.dat sounds.dat; do
    cp "$NATIVE/game/$f" "$GAME"/
done
cp "$NATIVE/tools/default-keyboard/keyboard.cfg" "$GAME"/
# Text files with Windows' line ends, for Notepad.
crlf() { sed 's/$/\r/' "$1" >"$2"; }
crlf "$HERE/README.txt" "$GAME/README.txt"
crlf "$SOURCE/LICENSE" "$GAME/LICENSE.txt"
crlf "$ALLEGRO_LICENSE" "$GAME/ALLEGRO-LICENSE.txt"
rm -f "$OUT/tankarena-windows.zip"
(cd "$OUT" && ln -sfn game tankarena && zip -q -r -X tankarena-windows.zip tankarena && rm tankarena)
echo "Windows game in $GAME, packed as $OUT/tankarena-windows.zip"
