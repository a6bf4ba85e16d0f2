#!/usr/bin/env bash
# Takes one screenshot of the real window per view tab, for the README:
#   tests/app/take-screenshots.sh [tintrover.exe] [output folder]
# Runs the program under Wine in a private Xvfb and clicks the tabs with
# xdotool, as a user would.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$root/build/win/app/tintrover.exe}
out=${2:-$root/docs/screenshots}
mkdir -p "$out"
export WINEPREFIX=${WINEPREFIX:-$root/build/win/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh"
. "$root/scripts/xvfb.sh"
XVFB_CLEANUP='kill "${pid:-}" 2>/dev/null || true'
xvfb_start
wine "$exe" &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^tintrover$' | head -n 1)
sleep 2

# Tab captions sit along the top of the tab control, about 52 pixels apart.
click_tab() { # index
  xdotool mousemove --window "$wid" $((34 + 52 * $1)) 17 click 1
  sleep 1
}
names=(typea-hsv typeb-rgb-cube typec-ostwald typed-munsell)
for tab in 0 1 2 3; do
  click_tab "$tab"
  import -window "$wid" "$out/${names[$tab]}.png"
  echo "$out/${names[$tab]}.png"
done
xdotool key --window "$wid" alt+F4 || true
wait "$pid" || true
