#!/usr/bin/env bash
# Runs a test program where assistive technology listens: a virtual X screen,
# a session bus with the accessibility bus started on it, and Qt's bridge to
# that bus switched on as a screen reader would switch it on.
set -u
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DISPLAY
exec dbus-run-session -- xvfb-run -a -n 150 -s "-screen 0 1024x768x24" bash -c '
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  for _ in $(seq 1 200); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
  exec "$@"
' a11ybus "$@"
