#!/usr/bin/env bash
# Sets everything up, builds both trees and starts the program under Wine.
# With a display ($DISPLAY) the window opens there. Without one it runs in a
# private Xvfb, waits for the first frame, saves a screenshot of the window,
# prints the screenshot's path and closes the program cleanly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

exe="$root/build/win/app/tintrover.exe"
[ -f "$exe" ] || exe="$root/build/win/tools/render-demo.exe"
name=$(basename "$exe")
caption=${name%%.*}

export WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh"

if [ -n "${DISPLAY:-}" ] && xset q >/dev/null 2>&1; then
  exec wine "$exe"
fi

. "$root/scripts/xvfb.sh"
XVFB_CLEANUP='wineserver -k >/dev/null 2>&1 || true'
xvfb_start

wine "$exe" &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name "^${caption}\$" | head -n 1) || {
  echo "run: the window \"$caption\" did not appear" >&2
  exit 1
}
sleep 2   # the first frame is painted right after the window is shown
mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/$caption.png"
import -window "$wid" "$shot"
echo "screenshot: $shot"

# A polite close (WM_CLOSE), as the window's close button would.
wine taskkill /IM "$name" >/dev/null 2>&1 || true
wait "$pid"
status=$?
echo "$caption exited with code $status"
exit "$status"
