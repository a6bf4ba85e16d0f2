#!/usr/bin/env bash
# Configures and builds the native tree (build/native), the Windows tree
# (build/win) and, with --with-sanitizers, the native ASan+UBSan tree (build/asan).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

configure() { # dir, extra args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir"
}

configure build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure build/win -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
if [ "${1:-}" = "--with-sanitizers" ]; then
  configure build/asan -DCMAKE_BUILD_TYPE=Debug -DTINTROVER_SANITIZE=ON
fi
