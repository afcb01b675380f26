#!/bin/bash
# Installs what building, running and testing need on Debian 12, with
# apt-get.  Does nothing when everything is there already.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev googletest
          mingw-w64 g++-mingw-w64-i686-posix
          wine wine32:i386 xvfb xauth x11-utils imagemagick fonts-liberation iproute2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} = 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=()
[ "$(id -u)" = 0 ] || sudo=(sudo)
"${sudo[@]}" dpkg --add-architecture i386
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
