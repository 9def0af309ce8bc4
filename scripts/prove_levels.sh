#!/usr/bin/env bash
# Proves every shipped level with the solver: solved within its budget, every
# resting place it reached checked, no trap, no death the search met by
# something never on screen before, and a player who does nothing living at
# least 10 s after the intro. Deaths by something on screen less than half a
# second before are listed for the designer to judge. As many levels at a
# time as there are processors, one worker each, the later (larger) levels
# first: a search in two workers spends some of the second core waiting for
# the first, two searches side by side do not. Each level's report goes to
# OUT/levelN.txt and its solution to OUT/levelN.script.
# Usage: prove_levels.sh SOLVE OUT [MAPS/]
set -uo pipefail
solve=$1
out=$2
maps=${3:-./Media/map/}
mkdir -p "$out"
prove() {
  "$solve" --maps "$maps" --level "$1" --workers 1 --script "$out/level$1.script" >"$out/level$1.txt" 2>&1
  echo $? >"$out/level$1.status"
}
running=0
for level in 8 7 6 5 4 3 2 1; do
  if ((running >= $(nproc))); then
    wait -n
    running=$((running - 1))
  fi
  prove "$level" &
  running=$((running + 1))
done
wait
failed=0
for level in 1 2 3 4 5 6 7 8; do
  grep -aE '^(level|met|items|changed|ideas|searched|no trap|trap|deaths|unseen|sudden|a player|solve:)' \
    "$out/level$level.txt"
  status=$(cat "$out/level$level.status")
  if [ "$status" != 0 ]; then
    echo "FAIL: level $level is not proven (exit status $status)"
    failed=1
  fi
  if ! grep -aq 'by something never on screen before: 0;' "$out/level$level.txt"; then
    echo "FAIL: on level $level something kills before it has been on screen"
    failed=1
  fi
  idle=$(sed -n 's/^a player who does nothing dies \([0-9]*\) passes.*/\1/p' "$out/level$level.txt")
  if [ -n "$idle" ] && [ "$idle" -lt 600 ]; then
    echo "FAIL: on level $level a player who does nothing dies within 10 s of the intro"
    failed=1
  fi
done
exit $failed
