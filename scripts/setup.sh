#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing,
# and the browser tests' npm packages when tests/web has none or older ones
# than its lock file names. Non-interactive and idempotent: a machine that has
# everything pays one dpkg query and one file comparison.
set -euo pipefail

packages=(
  g++ cmake ninja-build make
  libgtest-dev libgmock-dev googletest libbenchmark-dev libpng-dev libwebp-dev pkg-config
  g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-wqy-microhei
  xvfb xauth x11-apps imagemagick xdotool
  fp-utils
  clang libclang-rt-14-dev
  emscripten chromium chromium-driver
)
# The machine's own Node.js, where it has one, is kept.
command -v node >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# npm records what it installed in node_modules/.package-lock.json.
web_tests="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
installed="$web_tests/node_modules/.package-lock.json"
if [ ! -f "$installed" ] || [ "$web_tests/package-lock.json" -nt "$installed" ]; then
  echo "setup: npm ci in tests/web"
  (cd "$web_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi
