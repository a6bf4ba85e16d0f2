#!/bin/sh
# Runs one fuzz target as a test: replays the checked-in seeds and the tree's
# own corpus, then fuzzes for $TINTROVER_FUZZ_SECONDS seconds (default: the
# first argument). The whole log goes to WORK/logs/NAME.log, its tail to the
# output; a finding lands in WORK/artifacts and fails the test.
# Usage: run-target.sh SECONDS BINARY NAME WORK SEEDS [libFuzzer options...]
seconds=${TINTROVER_FUZZ_SECONDS:-$1}
binary=$2 name=$3 work=$4 seeds=$5
shift 5
mkdir -p "$work/corpus/$name" "$work/artifacts" "$work/logs" || exit 1
log=$work/logs/$name.log
"$binary" -max_total_time="$seconds" -max_len=65536 -timeout=20 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/$name-" "$@" "$work/corpus/$name" "$seeds" >"$log" 2>&1
rc=$?
tail -n 8 "$log"
exit $rc
