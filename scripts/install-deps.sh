#!/bin/sh
# Installs the Debian packages the build, the game and the tests need; with "deb", also those
# of make deb and of the package's checks; with "windows", those and the ones of the Windows
# build and its test under Wine (kept apart so that make play stays lean).
# Only what is missing is installed; a machine that has everything is left alone.
set -e

PACKAGES="build-essential cmake pkg-config
liballegro4-dev liballeggl4-dev allegro4-doc libpng-dev libx11-dev
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libgtest-dev libbenchmark-dev
xvfb xauth xdotool x11-utils imagemagick
clang libclang-rt-dev"

# The Debian package's tools and checkers.
DEB_PACKAGES="dpkg-dev lintian desktop-file-utils man-db appstream"

# The mingw-w64 cross compiler (it ships DirectX's headers and import libraries), Allegro's
# Debian source, the zip, and Wine with a window manager for the test.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix mingw-w64-tools xz-utils zip unzip
wine wine64 openbox"

case ${1:-} in
deb) PACKAGES="$PACKAGES $DEB_PACKAGES" ;;
windows) PACKAGES="$PACKAGES $DEB_PACKAGES $WINDOWS_PACKAGES" ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
