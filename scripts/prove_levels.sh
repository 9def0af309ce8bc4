#!/usr/bin/env bash
# Proves every shipped level with the solver: solved within its budget, every
# resting place it reached checked, no trap, no death the search met by
# something never on screen before, and a player who does nothing living at
# least 10 s after the intro. Deaths by something on screen less than half a
# second before are listed for the designer to judge. One level after another,
# each searched by a worker on every processor (levels differ in size, so two
# at a time would leave a core idle while the larger one finishes); each
# level's report goes to OUT/levelN.txt and its solution to OUT/levelN.script.
# Usage: prove_levels.sh SOLVE OUT [MAPS/]
set -uo pipefail
solve=$1
out=$2
maps=${3:-./Media/map/}
mkdir -p "$out"
failed=0
for level in 1 2 3 4 5 6 7 8; do
  "$solve" --maps "$maps" --level "$level" --script "$out/level$level.script" >"$out/level$level.txt" 2>&1
  status=$?
  grep -aE '^(level|met|items|changed|ideas|searched|no trap|trap|deaths|unseen|sudden|a player|solve:)' "$out/level$level.txt"
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
