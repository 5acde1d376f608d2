#!/usr/bin/env bash
# Checks that includes between the folders of src/ only run downward: a
# folder may include from itself and from the folders listed before it.
set -euo pipefail
src=${1:?usage: layers.sh SRC_DIR}
layers=(
  platform app doc binpane textpane frame
  platform/widgets binpane/widgets textpane/widgets doc/widgets frame/widgets app/widgets
)
rank_of() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}
status=0
while IFS= read -r -d '' file; do
  folder=$(dirname "${file#"$src"/}")
  own=$(rank_of "$folder")
  if [ "$own" -lt 0 ]; then
    echo "$file: folder $folder is in no layer" >&2; status=1; continue
  fi
  while IFS= read -r included; do
    target=$(dirname "$included")
    theirs=$(rank_of "$target")
    if [ "$theirs" -lt 0 ] || [ "$theirs" -gt "$own" ]; then
      echo "$file includes $included, from a layer above its own" >&2; status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find "$src" -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) -print0)
exit $status
