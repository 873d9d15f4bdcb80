#!/usr/bin/env bash
# Starts the real program on a virtual screen, waits for its window titled
# "Fotoweave", then ends it. Each script that starts a virtual screen counts its
# display numbers from a base of its own, so two run at once never take the same one.
set -u
program=$1
[[ -x $program ]] || { echo "no program at $program"; exit 1; }
export QT_QPA_PLATFORM=xcb
unset DISPLAY
xvfb-run -a -n 110 -s "-screen 0 1024x768x24" bash -c '
  # The server may still be coming up when xvfb-run hands over.
  for _ in $(seq 1 200); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
  xwininfo -root >/dev/null 2>&1 || { echo "the virtual screen $DISPLAY did not come up"; exit 1; }
  "$0" & pid=$!
  for _ in $(seq 1 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Fotoweave\""; then
      echo "window \"Fotoweave\" is up"
      kill $pid; wait $pid 2>/dev/null
      exit 0
    fi
    kill -0 $pid 2>/dev/null || { echo "the program ended before its window appeared"; exit 1; }
    sleep 0.2
  done
  echo "no window titled Fotoweave within 20 s"; kill $pid; exit 1
' "$program"
