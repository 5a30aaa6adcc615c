#!/bin/sh
# Runs every built fuzz target for the given number of seconds each (default 30) and
# fails when one of them reports a finding.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-30}"
status=0
for f in "$ROOT"/build/fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$ROOT/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$ROOT/fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=""
  log="$ROOT/build/fuzz/$name.log"
  echo "-- $name, ${seconds}s"
  if "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$ROOT/build/fuzz/" \
       "$corpus" $seeds >"$log" 2>&1; then
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$log" || true
  else
    echo "$name reported a finding:"; tail -40 "$log"; status=1
  fi
done
exit $status
