#!/bin/bash
# Runs COMMAND... on a virtual X display with a session bus and the
# accessibility bus, as a desktop with a screen reader has them, so that the
# window's accessibility bridge is on. Exits 77 (skipped) where one of them
# cannot be started.
for tool in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
exec xvfb-run -a dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
  status=$?
  kill $launcher 2>/dev/null
  exit $status' bash "$@"
