#!/usr/bin/env bash
# run_fuzz.sh TARGET SEEDS SECONDS FINDINGS [CORPUS]
# Runs one fuzz target for SECONDS on a copy of the seed folders (SEEDS, one
# or more separated by ':'): a temporary one, removed afterwards, unless a
# CORPUS folder to keep and grow is given.
# Inputs that crash are written to FINDINGS. Prints the executions made.
set -euo pipefail
target=$1 seeds=$2 seconds=$3 findings=$4 corpus=${5:-}
name=$(basename "$target")
if [ -z "$corpus" ]; then
  corpus=$(mktemp -d "/tmp/$name-XXXXXX")
  trap 'rm -rf "$corpus"' EXIT
fi
mkdir -p "$corpus" "$findings"
for folder in ${seeds//:/ }; do cp -n "$folder"/* "$corpus"/ 2>/dev/null || true; done
log=$(mktemp "/tmp/$name-log-XXXXXX")
trap 'rm -f "$log"; [ -n "${5:-}" ] || rm -rf "$corpus"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
status=0
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 80 "$log"
  echo "$name: FAILED (exit $status); the input is in $findings/"
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "$name: ${runs:-?} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) files, no findings"
