#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Run as root
# (or with sudo available); does nothing slow when everything is there.
#   tools/install-deps.sh           the native build and its tests
#   tools/install-deps.sh windows   the Windows cross builds and Wine
set -euo pipefail

if [ "${1:-}" = windows ]; then
  packages=(
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64
  )
else
  packages=(
    cmake g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    libfreetype-dev libpng-dev fonts-liberation
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
