#!/usr/bin/env bash
# Builds the fuzz tree (build/fuzz: clang, libFuzzer, ASan and UBSan) and runs
# its targets at once, each for SECONDS (default 600), through the same CTest
# tests that scripts/test.sh runs for 60 seconds. Prints runs, coverage,
# features and corpus size per target; logs go to build/fuzz/logs, new corpus
# entries to build/fuzz/corpus, findings to build/fuzz/artifacts.
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]] | --build
#   TARGET: model_text, render, snapshot_options (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake --preset fuzz -DTINTROVER_WERROR="$werror" >/dev/null
cmake --build --preset fuzz
[ "${1:-}" = "--build" ] && exit 0

seconds=${1:-600}
shift || true
only=()
[ $# -gt 0 ] && only=(-R "^fuzz_($(IFS='|'; echo "$*"))\$")
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
rc=0
TINTROVER_FUZZ_SECONDS=$seconds ctest --test-dir build/fuzz -j3 --timeout $((seconds + 300)) "${only[@]}" || rc=1

echo
printf '%-18s %10s %6s %8s %16s %s\n' target runs cov ft corpus findings
shopt -s nullglob
for log in build/fuzz/logs/*.log; do
  name=$(basename "$log" .log)
  [ $# -gt 0 ] && [[ " $* " != *" $name "* ]] && continue
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
  last=$(grep -aE '^#[0-9]+[[:space:]].* cov: ' "$log" | tail -n 1 || true)
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
  corp=$(sed -nE 's/.* corp: ([0-9]+\/[0-9]+[a-zA-Z]*).*/\1/p' <<<"$last")
  findings=$(find build/fuzz/artifacts -name "$name-*" -newer "$log" 2>/dev/null | wc -l)
  grep -qaE '^==[0-9]+==.*ERROR|fuzz invariant broken' "$log" && findings=$((findings > 0 ? findings : 1))
  printf '%-18s %10s %6s %8s %16s %s\n' "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$findings"
done
exit $rc
