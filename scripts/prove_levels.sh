#!/usr/bin/env bash
# Proves every shipped level with the solver: solved within its budget, every
# resting place it reached checked, and no trap. Two levels at a time; each
# level's report goes to OUT/levelN.txt and its solution to OUT/levelN.script.
# Usage: prove_levels.sh SOLVE OUT
set -uo pipefail
solve=$1
out=$2
mkdir -p "$out"
prove() {
  "$solve" --level "$1" --script "$out/level$1.script" >"$out/level$1.txt" 2>/dev/null
  echo $? >"$out/level$1.status"
}
for level in 1 2 3 4 5 6 7 8; do
  prove "$level" &
  if (( level % 2 == 0 )); then wait; fi
done
wait
failed=0
for level in 1 2 3 4 5 6 7 8; do
  grep -aE '^(level|searched|no trap|trap|a player)' "$out/level$level.txt"
  if [ "$(cat "$out/level$level.status")" != 0 ]; then
    echo "FAIL: level $level is not proven"
    failed=1
  fi
done
exit $failed
