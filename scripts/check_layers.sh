#!/usr/bin/env bash
# Fails when a file of src/ includes a folder its layer may not see. A layer
# sees the layers listed after it here, never its own neighbours or anything
# above; the README draws the same order.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A sees=(
  [main]="flow game frontend engine graphics sound input config platform base"
  [flow]="game frontend engine graphics sound input config platform base"
  [game]="engine graphics sound input config platform base"
  [frontend]="engine graphics sound input config platform base"
  [engine]="graphics sound input config platform base"
  [graphics]="platform base"
  [sound]="platform base"
  [input]="platform base"
  [config]="platform base"
  [platform]="base"
  [base]=""
)

status=0
while IFS= read -r file; do
  folder=${file%%/*}
  [ "$folder" = "$file" ] && folder=main
  if [ -z "${sees[$folder]+set}" ]; then
    echo "$file: the folder $folder has no place in the layers"
    status=1
    continue
  fi
  while IFS= read -r included; do
    target=${included%%/*}
    [ "$target" = "$included" ] && continue  # a header of the standard library or SDL
    [ "$target" = "$folder" ] && continue
    if [[ " ${sees[$folder]} " != *" $target "* ]]; then
      echo "$file includes $included: $folder may not see $target"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
exit $status
