#!/usr/bin/env bash
# Counts the instructions of one frame of play and of its bare blits with
# callgrind (repeatable whatever else the machine is doing) and prints the
# ratio. Run from the project root after ./bench.sh has built build-bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg.%p" \
  ./build-bench/bench/framecost 2>"$out/valgrind.log"
frame=$(grep -h -A0 '^totals:' $(grep -l '^desc: Trigger: Client Request: frame$' "$out"/cg.*) | awk '{print $2}')
floor=$(grep -h -A0 '^totals:' $(grep -l '^desc: Trigger: Client Request: frame_floor$' "$out"/cg.*) | awk '{print $2}')
awk -v f="$frame" -v g="$floor" 'BEGIN { printf "frame %d instructions, frame_floor %d instructions, ratio %.3f\n", f, g, f / g }'
