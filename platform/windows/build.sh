#!/bin/sh
# The Windows release, cross-built on this machine:
#   sh build.sh NATIVE_BUILD_DIR OUTPUT_DIR
# Allegro is built once into OUTPUT_DIR/allegro; the game into OUTPUT_DIR/cmake; then
# OUTPUT_DIR/game gets tankarena.exe with the native build's datafiles and default bindings,
# and OUTPUT_DIR/tankarena-windows.zip is made of that folder, which unpacks as tankarena/.
set -e

HERE=$(cd "$(dirname "$0")" && pwd)
SOURCE=$(cd "$HERE/../.." && pwd)
NATIVE=$(cd "${1:?usage: build.sh NATIVE_BUILD_DIR OUTPUT_DIR}" && pwd)
mkdir -p "${2:?usage: build.sh NATIVE_BUILD_DIR OUTPUT_DIR}"
OUT=$(cd "$2" && pwd)
JOBS=${JOBS:-2}
ICON=$NATIVE/tools/datagen-scratch/tankarena.ico
for f in game/menus.dat game/textures.dat game/sounds.dat game/keyboard.cfg tools/datagen-scratch/tankarena.ico; do
    [ -f "$NATIVE/$f" ] || { echo "the native build has no $f: run make build first" >&2; exit 1; }
done

sh "$HERE/build-allegro.sh" "$OUT/allegro"

# Only the Windows Allegro's pkg-config files count, never the machine's own.
PKG_CONFIG_LIBDIR=$OUT/allegro/lib/pkgconfig PKG_CONFIG_PATH="" \
    cmake -S "$SOURCE" -B "$OUT/cmake" -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-w64.cmake" \
    -DCMAKE_FIND_ROOT_PATH="$OUT/allegro" -DCMAKE_BUILD_TYPE=Release -DTANKARENA_ICON="$ICON" >/dev/null
cmake --build "$OUT/cmake" -j "$JOBS" --target tankarena

GAME=$OUT/game
rm -rf "$GAME"
mkdir -p "$GAME"
cp "$OUT/cmake/game/tankarena.exe" "$GAME"/
for f in menus.dat textures.dat sounds.dat keyboard.cfg; do
    cp "$NATIVE/game/$f" "$GAME"/
done
rm -f "$OUT/tankarena-windows.zip"
(cd "$OUT" && ln -sfn game tankarena && zip -q -r -X tankarena-windows.zip tankarena && rm tankarena)
echo "Windows game in $GAME, packed as $OUT/tankarena-windows.zip"
