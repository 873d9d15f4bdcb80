#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and starts the
# unpacked program on a virtual screen until its window appears.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$build"
cpack -G DEB -B "$work/out" >/dev/null
deb=$(ls "$work"/out/fotoweave_*.deb)
echo "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends
dpkg -x "$deb" "$work/root"
# Debian's own checker accepts it: no error and no warning.
lintian --fail-on error,warning "$deb"
for f in usr/bin/fotoweave usr/lib/fotoweave/fotoweave usr/lib/fotoweave/Head.txt usr/lib/fotoweave/UsersGuide.htm \
         usr/lib/fotoweave/UsersGuide.de.htm usr/lib/fotoweave/UsersGuide.fr.htm \
         usr/share/man/man1/fotoweave.1.gz usr/share/doc/fotoweave/copyright usr/share/doc/fotoweave/changelog.gz \
         usr/share/applications/org.fotoweave.Fotoweave.desktop \
         usr/share/icons/hicolor/256x256/apps/org.fotoweave.Fotoweave.png; do
  [[ -e $work/root/$f ]] || { echo "missing from the package: $f"; exit 1; }
done
man -l "$work/root/usr/share/man/man1/fotoweave.1.gz" | grep -q "fotoweave make" || { echo "the manual page does not render"; exit 1; }
# The installed program makes a show from the command line with no display, templates found through the link.
mkdir "$work/photos"
cp "$(dirname "$0")/data/small.jpg" "$work/photos/a.jpg"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/fotoweave" make -q "$work/photos" "$work/show"
grep -q "Picture\[1\]  = 'a.jpg'" "$work/show/SlideShow.htm" || { echo "fotoweave make wrote no slide"; exit 1; }
"$(dirname "$0")/smoke.sh" "$work/root/usr/bin/fotoweave"
