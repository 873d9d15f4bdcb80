#!/usr/bin/env bash
# Writes the test pages, then plays them in Chromium.
set -euo pipefail
makepages=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$makepages" "$out"
cd "$source_dir"
[[ -d node_modules/playwright-core && -d node_modules/axe-core ]] || { echo "playwright-core or axe-core is missing: run tools/setup.sh"; exit 1; }
node tests/browser/slideshow.test.mjs "$out"
