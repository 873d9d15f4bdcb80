#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Fotoweave
# needs, and the browser driver for the page tests. Safe to run again: it only
# touches apt when something is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-image-formats-plugins qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-liberation
  dbus-daemon at-spi2-core
  chromium nodejs npm ca-certificates
  desktop-file-utils appstream dpkg-dev file lintian
  clang libclang-rt-14-dev
  libexiv2-dev libjpeg62-turbo-dev libturbojpeg0-dev libvips-tools openbox xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# A machine that already has Node.js from elsewhere needs no Debian node.
if command -v node >/dev/null && command -v npm >/dev/null; then
  kept=()
  for p in "${missing[@]}"; do [[ $p == nodejs || $p == npm ]] || kept+=("$p"); done
  missing=("${kept[@]}")
fi

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# playwright-core drives Debian's Chromium; it never downloads a browser. axe-core audits the page.
if [[ ! -d node_modules/playwright-core || ! -d node_modules/axe-core ]]; then
  echo "setup: installing the browser test driver"
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --silent --no-audit --no-fund
fi
