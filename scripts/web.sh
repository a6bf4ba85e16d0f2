#!/usr/bin/env bash
# Builds the web page (build/web/site) and serves it on 127.0.0.1 with
# Python's http.server, printing the address. Without a display it also saves
# a screenshot of the page taken by headless Chromium to
# build/screenshots/web.png and prints the time to the first frame. It then
# serves until Ctrl-C.
#
# Usage: scripts/web.sh [--screenshot] [--port N]
#   --screenshot  take the screenshot (display or not) and exit after it
#   --port N      serve on port N instead of a free one
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

screenshot_only=false
port=""
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) screenshot_only=true ;;
    --port) port=${2:?--port needs a number}; shift ;;
    -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "web.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

"$root/scripts/setup.sh"
cmake --preset web >/dev/null
cmake --build --preset web

site="$root/build/web/site"
[ -n "$port" ] || port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >"$root/build/web/http-server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
trap 'exit 0' INT TERM

url="http://127.0.0.1:$port/"
answers() { python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1], timeout=2)' "$url" 2>/dev/null; }
for _ in $(seq 100); do
  answers && break
  kill -0 "$server" 2>/dev/null || { echo "web.sh: the server did not start:" >&2; cat "$root/build/web/http-server.log" >&2; exit 1; }
  sleep 0.1
done
answers || { echo "web.sh: nothing answers at $url" >&2; exit 1; }
echo "Tintrover is served at $url (the site: $site)"

if $screenshot_only || [ -z "${DISPLAY:-}" ] || ! xset q >/dev/null 2>&1; then
  mkdir -p "$root/build/screenshots"
  (cd "$root/tests/web" && node screenshot.mjs "${url}#tab=3&h1=2&v=8&dlevel=7" "$root/build/screenshots/web.png")
fi
$screenshot_only && exit 0

echo "Serving until Ctrl-C."
wait "$server"
