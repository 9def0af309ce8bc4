#!/usr/bin/env bash
# The map check passes the shipped levels and fails each rule broken once:
# a level cut to half height, level 8 with too few kinds, an item type no
# level places, and a level whose hidden item lies in the open.
set -uo pipefail
check=$1/scripts/check_maps.sh
maps=$1/Media/map/
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
"$check" "$maps" >"$work/shipped.txt" || { cat "$work/shipped.txt"; echo "the shipped levels fail the check"; status=1; }
expect_failure() {  # name, expected message, then the edit as a command on $work/maps
  local name=$1 message=$2
  shift 2
  rm -rf "$work/maps" && cp -r "$maps" "$work/maps"
  "$@"
  if "$check" "$work/maps/" >"$work/out.txt"; then
    echo "$name: the check passed"; status=1
  elif ! grep -q "$message" "$work/out.txt"; then
    cat "$work/out.txt"; echo "$name: no \"$message\""; status=1
  fi
}
# Rows 1-9 of level 1 walled up: half the inner rows, well under 70% open.
half() { awk 'NR >= 2 && NR <= 10 { print "10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10"; next } { print }' \
  "$maps/map1.map" >"$work/maps/map1.map"; }
expect_failure "half height" "level 1: uses [0-9]* of the 18 inner rows, fewer than 15" half
# Level 8 keeps only its first enemy line.
few() { awk 'done && !/^#/ && NF { if (kept++) next } /^-1/ { done = 1 } { print }' "$maps/map8.map" >"$work/maps/map8.map"; }
expect_failure "one kind on level 8" "level 8: 1 kinds of enemy, fewer than 6" few
# Every item record of type 14 becomes a copper coin.
no14() { for f in "$work"/maps/*.map; do sed -i 's/^14 \([0-9]* [0-9]* [0-9]*\)$/1 \1/' "$f"; done; }
expect_failure "no extra life" "no level places item type 14" no14
# Level 2's hidden items brought out of their blocks.
open2() { sed -i 's/^\([0-9]* [0-9]* [0-9]*\) 1$/\1 0/' "$work/maps/map2.map"; }
expect_failure "nothing hidden on level 2" "level 2: no item hidden in a block" open2
exit $status
