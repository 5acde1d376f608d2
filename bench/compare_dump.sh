#!/usr/bin/env bash
# Times `vexel --dump` on a 50 MiB file of mixed content, in each character
# code and both output codes, against xxd on the same file: five runs each,
# output to /dev/null. Prints the medians of the wall time and of the CPU time
# (user + system; steadier on a busy machine) and the speed ratios to xxd.
# Usage: compare_dump.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
vexel="$build/vexel"
data="$here/data/dump-mixed-50MiB.bin"
size=52428797   # the largest file the default size limit loads whole

[ -x "$vexel" ] || { echo "compare_dump: $vexel is missing (build the vexel target)" >&2; exit 1; }
command -v xxd >/dev/null || { echo "compare_dump: xxd is not installed" >&2; exit 1; }
if [ ! -f "$data" ] || [ "$(stat -c %s "$data")" -ne "$size" ]; then
  mkdir -p "$(dirname "$data")"
  "$build/bench/bench_dump" --make-data "$data"
fi

# Default settings whatever the user's profile says.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
export VEXEL_PROFILE_DIR="$profile"

source "$here/measure.sh"

read -r base_wall base_cpu <<<"$(measure xxd "$data")"
printf '%-33s %7s %7s   %s\n' "command" "wall s" "cpu s" "speed vs xxd (wall, cpu)"
printf '%-33s %7.3f %7.3f\n' "xxd" "$base_wall" "$base_cpu"
for code in sjis jis euc utf16; do
  for out in cp932 utf8; do
    read -r wall cpu <<<"$(measure "$vexel" --dump --code "$code" --output-code "$out" "$data")"
    printf '%-33s %7.3f %7.3f   %5.2fx %5.2fx\n' "--code $code --output-code $out" "$wall" "$cpu" \
      "$(awk -v a="$base_wall" -v b="$wall" 'BEGIN { print a / b }')" \
      "$(awk -v a="$base_cpu" -v b="$cpu" 'BEGIN { print a / b }')"
  done
done
