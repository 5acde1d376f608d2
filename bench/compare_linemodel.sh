#!/usr/bin/env bash
# Times loading a 50 MiB Shift-JIS text and wrapping it at 80 columns with
# kinsoku (`bench_linemodel --wrap`) against `fold -w 80` on the same file:
# five runs each, output to /dev/null. Prints the medians of the wall time and
# of the CPU time (user + system) and the speed ratio to fold.
# Usage: compare_linemodel.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/bench_linemodel"
data="$here/data/text-sjis-50MiB.txt"
size=52428797

[ -x "$bench" ] || { echo "compare_linemodel: $bench is missing (build the vexel_bench target)" >&2; exit 1; }
command -v fold >/dev/null || { echo "compare_linemodel: fold is not installed" >&2; exit 1; }
if [ ! -f "$data" ] || [ "$(stat -c %s "$data")" -ne "$size" ]; then
  mkdir -p "$(dirname "$data")"
  "$bench" --make-data "$data"
fi

source "$here/measure.sh"

read -r base_wall base_cpu <<<"$(measure fold -w 80 "$data")"
read -r wall cpu <<<"$(measure "$bench" --wrap "$data")"
printf '%-26s %7s %7s   %s\n' "command" "wall s" "cpu s" "speed vs fold (wall, cpu)"
printf '%-26s %7.3f %7.3f\n' "fold -w 80" "$base_wall" "$base_cpu"
printf '%-26s %7.3f %7.3f   %5.2fx %5.2fx\n' "load and wrap at 80" "$wall" "$cpu" \
  "$(awk -v a="$base_wall" -v b="$wall" 'BEGIN { print a / b }')" \
  "$(awk -v a="$base_cpu" -v b="$cpu" 'BEGIN { print a / b }')"
