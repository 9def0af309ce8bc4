#!/usr/bin/env bash
# The eight solution recordings replayed by the WebAssembly build under node
# must end as the desktop build's replays do (outcome and state checksum) and
# pass through the same state every pass (the committed fingerprints).
# Usage: replay_in_node.sh WEBREPLAY_JS DESKTOP_REPLAY PROJECT_ROOT
set -euo pipefail
webreplay=$1
replay=$2
root=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root"
status=0
for recording in tests/data/solutions/level*.rbr; do
  name=$(basename "$recording" .rbr)
  node "$webreplay" --hashes "$work/$name.hashes" "$recording" >"$work/$name.web"
  # The outcome lines, which are all the WebAssembly tool prints.
  "$replay" "$recording" | grep -E '^(level|frames|life|lives|score|items|checksum) ' >"$work/$name.desktop"
  if ! diff -u "$work/$name.desktop" "$work/$name.web"; then
    echo "FAIL: $name ends differently in the WebAssembly build"
    status=1
  elif ! cmp -s "${recording%.rbr}.hashes" "$work/$name.hashes"; then
    first=$(cmp "${recording%.rbr}.hashes" "$work/$name.hashes" | awk '{ print $NF }' || true)
    echo "FAIL: $name: the WebAssembly build's state first differs at pass ${first:-?}"
    status=1
  else
    echo "$name: $(grep -E '^(level|checksum) ' "$work/$name.web" | tr '\n' ' ')"
  fi
done
[ "$status" = 0 ] && echo "PASS: all eight solutions end alike, pass for pass, in the WebAssembly build"
exit $status
