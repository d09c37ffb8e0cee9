#!/bin/sh
# The Debian package of the installed game, made over a staged install:
#   sh make-deb.sh BUILD_DIR VERSION
# leaves BUILD_DIR/tankarena_VERSION_ARCH.deb. Its dependencies come from the shared libraries
# the program links (dpkg-shlibdeps), its copyright file is the game's licence.
set -e

BUILD=$(cd "${1:?usage: make-deb.sh BUILD_DIR VERSION}" && pwd)
VERSION=${2:?usage: make-deb.sh BUILD_DIR VERSION}
ARCH=$(dpkg --print-architecture)
WORK=$BUILD/deb
ROOT=$WORK/root
DEB=$BUILD/tankarena_${VERSION}_$ARCH.deb

rm -rf "$WORK"
mkdir -p "$ROOT/DEBIAN"
DESTDIR=$ROOT cmake --install "$BUILD" --prefix /usr --strip >/dev/null
DOC=$ROOT/usr/share/doc/tankarena
# Debian keeps manual pages and changelogs compressed, without a date in the gzip header.
gzip -9n "$ROOT/usr/share/man/man6/tankarena.6"
cat >"$WORK/changelog" <<END
tankarena ($VERSION) unstable; urgency=medium

  * Packaged from the game's own build with make deb.

 -- Tank Arena developers <maintainers@users.noreply.c-seed-8dca051e.example>  Wed, 09 Dec 2026 00:00:00 +0000
END
gzip -9n -c "$WORK/changelog" >"$DOC/changelog.gz"
find "$ROOT" -type d -exec chmod 0755 {} +

# dpkg-shlibdeps wants a source package around the program.
mkdir -p "$WORK/source/debian"
printf 'Source: tankarena\n\nPackage: tankarena\nArchitecture: any\n' >"$WORK/source/debian/control"
depends=$(cd "$WORK/source" && dpkg-shlibdeps -O "$ROOT/usr/lib/games/tankarena/tankarena" |
    sed -n 's/^shlibs:Depends=//p')

cat >"$ROOT/DEBIAN/control" <<END
Package: tankarena
Version: $VERSION
Architecture: $ARCH
Maintainer: Tank Arena developers <maintainers@users.noreply.c-seed-8dca051e.example>
Installed-Size: $(du -sk --exclude=DEBIAN "$ROOT" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Description: small 3-D tank battle game for one to four players
 One to four players on a split screen drive tanks across a tree-covered
 arena and fight a crowd of computer tanks that wander and shoot at random;
 their shells hit anything. The arena's size, the number of tanks and trees,
 the speeds and the lives can be set and kept in settings files; each player
 has keys of their own, or the mouse for the turret.
END
(cd "$ROOT" && find usr -type f -exec md5sum {} + | sort -k 2) >"$ROOT/DEBIAN/md5sums"
chmod 0644 "$ROOT/DEBIAN/control" "$ROOT/DEBIAN/md5sums"

rm -f "$DEB"
dpkg-deb --root-owner-group -Zxz --build "$ROOT" "$DEB" >/dev/null
echo "Debian package in $DEB"
