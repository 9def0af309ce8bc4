#!/usr/bin/env bash
# Fails when the shipped levels stop showing the game: every level full size
# (at least 15 of the 18 inner rows with an open cell, at least 70% of the 324
# inner cells open: not wall, block or cracked block), the whole cast (all
# nine kinds a map places, none on level 1, two or more from level 3 on, six
# or more on level 8), every one of the 18 item types, the changing ones
# included, and from level 2 on an item hidden in a block.
# Usage: check_maps.sh [MAPS/]   (./Media/map/ by default)
set -uo pipefail
maps=${1:-./Media/map/}
failed=0
all_kinds=""
all_items=""
for level in 1 2 3 4 5 6 7 8; do
  map="${maps}map${level}.map"
  if [ ! -r "$map" ]; then
    echo "FAIL: level $level: no map at $map"
    failed=1
    continue
  fi
  # One line: rows used, open cells, kinds, items, hidden items.
  read -r rows open kinds items hidden < <(awk '
    BEGIN { n = 0; part = "tiles"; header = 0 }
    part == "enemies" {
      if ($0 ~ /^#/ || $0 ~ /^[\r]?$/) next
      if ($1 != "" && $1 + 0 > 0) kind[$1 + 0] = 1
      next
    }
    {
      for (i = 1; i <= NF; i++) {
        if (part == "tiles") {
          code[n] = $i + 0; n++
          if (n == 400) part = "header"
        } else if (part == "header") {
          header++
          if (header == 6) { part = "items"; field = 0 }
        } else if (part == "items") {
          if ($i !~ /^-?[0-9]+$/) break
          rec[field++] = $i + 0
          if (field == 1 && rec[0] == -1) { part = "enemies"; break }
          if (field == 4) {
            item[rec[0]] = 1
            t = code[rec[2] * 20 + rec[1]]
            if (rec[3] != 0 && (t == 11 || t == 12)) hid++
            field = 0
          }
        }
      }
    }
    END {
      open = 0; rows = 0
      for (r = 1; r <= 18; r++) {
        used = 0
        for (c = 1; c <= 18; c++) {
          t = code[r * 20 + c]
          if (t != 10 && t != 11 && t != 12) { open++; used = 1 }
        }
        rows += used
      }
      k = ""; for (t = 1; t <= 12; t++) if (t in kind) k = k (k == "" ? "" : ",") t
      s = ""; for (t = 1; t <= 18; t++) if (t in item) s = s (s == "" ? "" : ",") t
      printf "%d %d %s %s %d\n", rows, open, (k == "" ? "-" : k), (s == "" ? "-" : s), hid + 0
    }' "$map")
  nkinds=0
  [ "$kinds" != "-" ] && nkinds=$(tr ',' '\n' <<<"$kinds" | wc -l)
  echo "level $level: $rows rows, $open of 324 cells open, kinds $kinds, items $items, $hidden hidden"
  fail() {
    echo "FAIL: level $level: $1"
    failed=1
  }
  ((rows >= 15)) || fail "uses $rows of the 18 inner rows, fewer than 15"
  ((open * 100 >= 324 * 70)) || fail "$open of 324 inner cells open, under 70%"
  ((level != 1 || nkinds == 0)) || fail "level 1 has enemies"
  ((level < 3 || nkinds >= 2)) || fail "$nkinds kinds of enemy, fewer than 2"
  ((level != 8 || nkinds >= 6)) || fail "$nkinds kinds of enemy, fewer than 6"
  ((level < 2 || hidden >= 1)) || fail "no item hidden in a block"
  all_kinds="$all_kinds,$kinds"
  all_items="$all_items,$items"
done
for kind in 1 2 3 5 6 7 8 9 10; do
  grep -q ",$kind\(,\|$\)" <<<"$all_kinds," || { echo "FAIL: no level places enemy kind $kind"; failed=1; }
done
for type in $(seq 1 18); do
  grep -q ",$type\(,\|$\)" <<<"$all_items," || { echo "FAIL: no level places item type $type"; failed=1; }
done
exit $failed
