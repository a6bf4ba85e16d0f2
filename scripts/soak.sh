#!/usr/bin/env bash
# The long soak: the random-use test of the real window with many events
# (10,000, or as many as 15 minutes allow, by default), on a display and Wine
# prefix of its own so that a test run can go on beside it, then the native
# renderer's check of the last frame. Needs the built trees
# (scripts/build.sh). Prints the run's figures.
#   scripts/soak.sh [EVENTS] [MINUTES] [SEED]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
events=${1:-10000}
minutes=${2:-15}
seed=${3:-20071020}
out="$root/build/win/soak"
mkdir -p "$out"

. "$root/scripts/xvfb.sh"
export WINEPREFIX="$root/build/win/soak-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_CLEANUP='wineserver -k >/dev/null 2>&1 || true'
xvfb_start || exit 1
"$root/scripts/wine-prefix.sh"
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

start=$(date +%s)
TINTROVER_EXE="$root/build/win/app/tintrover.exe" TINTROVER_SOAK_OUT="$out" \
TINTROVER_SOAK_EVENTS="$events" TINTROVER_SOAK_MINUTES="$minutes" TINTROVER_SOAK_SEED="$seed" \
  wine "$root/build/win/tests/app/app_soak_tests.exe" --gtest_brief=1 </dev/null
rc=$?
echo "soak: $(( $(date +%s) - start )) s"
[ $rc -eq 0 ] || { echo "soak: the run failed"; exit 1; }
cmake -DSNAPSHOT="$root/build/native/tools/tintrover-snapshot" -DDIR="$out" \
  -P "$root/tests/app/e2e/SoakFrame.cmake" || exit 1
