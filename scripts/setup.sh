#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Non-interactive and idempotent: a machine that has everything pays one dpkg query.
set -euo pipefail

packages=(
  g++ cmake ninja-build make
  libgtest-dev libgmock-dev googletest libbenchmark-dev libpng-dev libwebp-dev pkg-config
  g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-wqy-microhei
  xvfb xauth x11-apps imagemagick xdotool
  fp-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
