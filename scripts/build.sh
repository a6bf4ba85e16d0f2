#!/usr/bin/env bash
# Configures and builds the trees of CMakePresets.json: native (build/native),
# win (build/win) and, with --with-sanitizers, asan (build/asan). Every run
# configures again (quick when nothing changed), so a changed preset or option
# takes effect. With CI=true compiler warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

build() { # preset
  cmake --preset "$1" -DTINTROVER_WERROR="$werror" >/dev/null
  cmake --build --preset "$1"
}

build native
build win
if [ "${1:-}" = "--with-sanitizers" ]; then
  build asan
fi
