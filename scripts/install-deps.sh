#!/bin/sh
# Installs the Debian packages the build, the game and the tests need.
# Only what is missing is installed; a machine that has everything is left alone.
set -e

PACKAGES="build-essential cmake pkg-config
liballegro4-dev liballeggl4-dev allegro4-doc
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libgtest-dev libbenchmark-dev
xvfb xauth xdotool x11-utils imagemagick
clang libclang-rt-dev"

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
