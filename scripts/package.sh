#!/usr/bin/env bash
# Builds the download for Windows users: a ZIP holding the program (the
# optimised build, stripped), its help file, a read-me and the licence.
# Prints the ZIP's path on standard output, alone; the build's progress goes
# to standard error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" >&2
log=$(cmake --build build/win --target package) || { echo "$log" >&2; exit 1; }
# CPack reports "CPack: - package: <path> generated."
zip=$(sed -n 's/^CPack: - package: \(.*\.zip\) generated\.$/\1/p' <<<"$log")
[ -f "$zip" ] || { echo "$log" >&2; echo "package: no ZIP was made" >&2; exit 1; }
echo "$zip"
