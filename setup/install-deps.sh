#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
# As root it installs them; otherwise it prints the one command to run.
set -euo pipefail

packages=(
  cmake g++ ninja-build ccache pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils xvfb xauth socat
  python3 python3-dbf python3-dbfread libdbd-xbase-perl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Addrina needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo sh -c 'apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}'" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! apt-get install -y --no-install-recommends "${missing[@]}"; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
