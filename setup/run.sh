#!/usr/bin/env bash
# Starts the program, or explains how when there is no display to show it on.
set -eu
program="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so Addrina's window cannot be shown." >&2
  echo "To run it on a virtual display instead:" >&2
  command -v xvfb-run >/dev/null 2>&1 || echo "  apt-get install xvfb xauth    (as root)" >&2
  echo "  xvfb-run -a $program" >&2
  exit 1
fi
exec "$program"
