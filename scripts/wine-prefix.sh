#!/usr/bin/env bash
# Creates the test Wine prefix once: no Mono or Gecko installers, and Wine's own
# fonts copied into C:\windows\Fonts, where Wine looks for them first (without
# them every face falls back to a Unix font and font-driven layouts change).
set -eu
: "${WINEPREFIX:?WINEPREFIX must be set}"
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.tintrover-ready" ] && exit 0
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
wineserver -w || true
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
for f in /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
  [ -f "$f" ] && cp -f "$f" "$fonts/"
done
# The CJK font stands in for the Japanese UI face that the GUI fonts link to,
# so Japanese text shows as glyphs.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' \
  /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
wineserver -w || true
touch "$WINEPREFIX/.tintrover-ready"
