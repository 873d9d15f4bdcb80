#!/usr/bin/env bash
# Sets up, builds and starts Fotoweave.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "Fotoweave is built, but there is no display to show it on: run 'xvfb-run -a build/bin/fotoweave' to start it on a virtual screen."
  exit 1
fi
exec build/bin/fotoweave
