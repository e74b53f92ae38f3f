#!/usr/bin/env bash
# Starts the program, or explains how when there is no display to show it on.
set -eu
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here (DISPLAY is not set), so Addrina's window cannot be shown." >&2
  echo "To run it on a virtual display:  xvfb-run -a $1" >&2
  exit 1
fi
exec "$1"
