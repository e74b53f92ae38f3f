#!/usr/bin/env bash
# Installs the Debian packages that Addrina needs, when any is missing:
#   install-deps.sh        what building and running the program need
#   install-deps.sh test   that, and what only the tests and benchmarks use
# As root (or with password-free sudo) it installs them; otherwise it prints the one
# command to run and fails, so `make` stops before building.
set -euo pipefail

packages=(
  cmake g++ ninja-build ccache lld pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev libcups2-dev
  libzint-dev libphonenumber-dev qtkeychain-qt6-dev
  fonts-liberation2 xdg-utils
)
if [ "${1:-}" = test ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    poppler-utils xvfb xauth socat desktop-file-utils cups printer-driver-cups-pdf
    python3 python3-dbf python3-dbfread libdbd-xbase-perl python3-vobject
    clang libclang-rt-14-dev
    glabels-data zbar-tools radicale xandikos
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_command="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "Addrina needs these Debian packages, which are not installed: ${missing[*]}" >&2
  echo "Install them (as root) with:" >&2
  echo "  sudo sh -c '$install_command'" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
# A fresh machine has no package lists yet; an old list may name versions that are gone.
lists=(/var/lib/apt/lists/*_Packages*)
if [ ! -e "${lists[0]}" ]; then
  "${as_root[@]}" apt-get update
fi
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"; then
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
