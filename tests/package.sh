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
for f in usr/bin/fotoweave usr/lib/fotoweave/fotoweave usr/lib/fotoweave/Head.txt usr/lib/fotoweave/UsersGuide.htm \
         usr/share/applications/org.fotoweave.Fotoweave.desktop \
         usr/share/icons/hicolor/256x256/apps/org.fotoweave.Fotoweave.png; do
  [[ -e $work/root/$f ]] || { echo "missing from the package: $f"; exit 1; }
done
"$(dirname "$0")/smoke.sh" "$work/root/usr/bin/fotoweave"
