#!/bin/sh
# Builds Allegro 4.4 with AllegroGL for 64-bit Windows, static, into a cache folder:
#   sh build-allegro.sh CACHE_DIR
# The source is Debian's upstream tarball of allegro4.4 (checked against its .dsc); the patches
# beside this script are applied to it. A finished cache whose stamp names the same version,
# patches and script is left as it is. pkg-config files for allegro and allegrogl are written
# into CACHE_DIR/lib/pkgconfig, since Allegro's own build writes none on Windows.
set -e

HERE=$(cd "$(dirname "$0")" && pwd)
CACHE=${1:?usage: build-allegro.sh CACHE_DIR}
mkdir -p "$CACHE"
CACHE=$(cd "$CACHE" && pwd)
VERSION=4.4.3.1
ORIG=allegro4.4_$VERSION.orig.tar.gz
JOBS=${JOBS:-2}

# What the cache is made of: rebuilt when any of it changes.
stamp=$( (echo "$VERSION"; cat "$0" "$HERE"/allegro-patches/*.patch "$HERE"/mingw-w64.cmake) | sha256sum | cut -d' ' -f1)
if [ -f "$CACHE/stamp" ] && [ "$(cat "$CACHE/stamp")" = "$stamp" ]; then
    exit 0
fi
echo "Building Allegro $VERSION for Windows into $CACHE"
rm -rf "$CACHE/src" "$CACHE/build" "$CACHE/include" "$CACHE/lib" "$CACHE/stamp"

# The source package, from deb-src entries made from this machine's own deb entries, with
# apt's lists kept in the cache so that the machine's apt set-up is not touched.
fetch() {
    apt_dir=$CACHE/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts" "$CACHE/download"
    : >"$apt_dir/sources.list"
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list" >>"$apt_dir/sources.list"
    done
    rm -f "$apt_dir"/parts/*.sources
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && sed 's/^Types:.*/Types: deb-src/' "$list" >"$apt_dir/parts/$(basename "$list")"
    done
    set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts" \
        -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -q
    apt-get "$@" update >"$apt_dir/update.log" 2>&1 || { cat "$apt_dir/update.log"; exit 1; }
    # The Debian packaging tarball is not needed and may fail to download: only the .dsc and
    # the upstream tarball count.
    (cd "$CACHE/download" && apt-get "$@" source --download-only allegro4.4) || true
}
dsc=$(ls "$CACHE"/download/allegro4.4_*.dsc 2>/dev/null | head -n 1)
[ -n "$dsc" ] && [ -f "$CACHE/download/$ORIG" ] || fetch
dsc=$(ls "$CACHE"/download/allegro4.4_*.dsc 2>/dev/null | head -n 1)
[ -n "$dsc" ] || { echo "no allegro4.4 .dsc could be downloaded" >&2; exit 1; }
[ -f "$CACHE/download/$ORIG" ] || { echo "$ORIG could not be downloaded" >&2; exit 1; }
want=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" | awk -v f="$ORIG" '$3 == f { print $1 }')
got=$(sha256sum "$CACHE/download/$ORIG" | cut -d' ' -f1)
if [ -z "$want" ] || [ "$want" != "$got" ]; then
    echo "$ORIG does not match the checksum in $(basename "$dsc")" >&2
    rm -f "$CACHE/download/$ORIG"
    exit 1
fi

mkdir -p "$CACHE/src"
tar -xzf "$CACHE/download/$ORIG" -C "$CACHE/src" --strip-components=1
for p in "$HERE"/allegro-patches/*.patch; do
    patch -d "$CACHE/src" -p1 --quiet --forward <"$p"
done

# Only the library and AllegroGL: no examples, tools, tests, documentation or other add-ons.
cmake -S "$CACHE/src" -B "$CACHE/build" -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$CACHE" -DSHARED=OFF \
    -DWANT_ALLEGROGL=ON -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF \
    -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF -DWANT_DOCS=OFF \
    -DCMAKE_C_FLAGS="-Wno-deprecated-declarations" >"$CACHE/configure.log" 2>&1 ||
    { tail -n 30 "$CACHE/configure.log"; exit 1; }
cmake --build "$CACHE/build" -j "$JOBS" >"$CACHE/build.log" 2>&1 || { tail -n 30 "$CACHE/build.log"; exit 1; }
cmake --install "$CACHE/build" >"$CACHE/install.log" 2>&1 || { tail -n 30 "$CACHE/install.log"; exit 1; }

# Static Allegro needs ALLEGRO_STATICLINK in every user and the Windows libraries it calls,
# listed in Libs itself: CMake's pkg_check_modules reads no Libs.private.
mkdir -p "$CACHE/lib/pkgconfig"
cat >"$CACHE/lib/pkgconfig/allegro.pc" <<EOF
prefix=$CACHE
Name: allegro
Description: Allegro $VERSION, static, for Windows
Version: $VERSION
Cflags: -I\${prefix}/include -DALLEGRO_STATICLINK
Libs: -L\${prefix}/lib -lalleg -lkernel32 -luser32 -lgdi32 -lcomdlg32 -lole32 -ldinput -lddraw -ldxguid -lwinmm -ldsound
EOF
cat >"$CACHE/lib/pkgconfig/allegrogl.pc" <<EOF
prefix=$CACHE
Name: allegrogl
Description: AllegroGL for Allegro $VERSION, static, for Windows
Version: $VERSION
Requires: allegro
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lalleggl -lglu32 -lopengl32
EOF
echo "$stamp" >"$CACHE/stamp"
