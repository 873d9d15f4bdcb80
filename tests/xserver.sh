#!/usr/bin/env bash
# Runs a test program on a virtual X screen, with Qt's X platform, so that it
# meets the window system's own events (keys sent with xdotool, for instance).
set -u
export QT_QPA_PLATFORM=xcb
unset DISPLAY
exec xvfb-run -a -n 130 -s "-screen 0 1024x768x24" bash -c '
  # The server may still be coming up when xvfb-run hands over.
  for _ in $(seq 1 200); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
  exec "$@"
' xserver "$@"
