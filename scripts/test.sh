#!/usr/bin/env bash
# Runs every test: the native suites, the same suites under ASan+UBSan, the
# Windows suites under Wine on one shared Xvfb display with one persistent
# wineserver, the web page in headless Chromium, and the fuzz targets for a
# minute each. Prints CTest's summaries and a closing total; exits non-zero on
# any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh" || exit 1
"$root/scripts/build.sh" --with-sanitizers || { echo "build failed"; exit 1; }
"$root/scripts/fuzz.sh" --build || { echo "fuzz build failed"; exit 1; }
web_werror=OFF
[ "${CI:-}" = "true" ] && web_werror=ON
{ cmake --preset web -DTINTROVER_WERROR="$web_werror" >/dev/null && cmake --build --preset web; } ||
  { echo "web build failed"; exit 1; }

. "$root/scripts/xvfb.sh"
export WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

XVFB_CLEANUP='wineserver -k >/dev/null 2>&1 || true'
xvfb_start || exit 1
"$root/scripts/wine-prefix.sh"
wineserver -p >/dev/null 2>&1 || true
# Warm-up: the first program in a fresh prefix starts Wine's background
# services; started from a test they would inherit CTest's output pipes and
# keep that test "running" after it has finished.
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

passed=0 failed=0 rc=0
run_ctest() { # label, build dir, extra ctest arguments...
  local log
  log=$(mktemp)
  echo "== $1"
  ctest --test-dir "$2" --output-on-failure -j2 "${@:3}" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
  local line
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f)); failed=$((failed + f))
  else
    rc=1
  fi
  rm -f "$log"
}

run_ctest "native" build/native
run_ctest "native, sanitizers" build/asan
run_ctest "windows, under wine" build/win
run_ctest "web, in chromium" build/web
# The three targets side by side: each replays its seeds, then fuzzes for 60 s.
run_ctest "fuzz targets" build/fuzz -j3 --timeout 300

echo
echo "tests: $passed passed, $failed failed"
exit $rc
