#!/usr/bin/env bash
# Times `vexel --compare` on two 50 MiB files that differ in one byte every
# 4 KiB (12,800 differing lines), its report piped into wc -l, against
# `cmp -l` on the same files piped into wc -l: five runs each. Prints the
# medians of the wall time and of the CPU time (user + system) and the ratio
# of each to cmp's.
# Usage: compare_compare.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
vexel="$build/vexel"
first="$here/data/compare-a-50MiB.bin"
second="$here/data/compare-b-50MiB.bin"
size=52428800

[ -x "$vexel" ] || { echo "compare_compare: $vexel is missing (build the vexel target)" >&2; exit 1; }
command -v cmp >/dev/null || { echo "compare_compare: cmp is not installed" >&2; exit 1; }
if [ ! -f "$first" ] || [ ! -f "$second" ] || [ "$(stat -c %s "$first")" -ne "$size" ] \
   || [ "$(stat -c %s "$second")" -ne "$size" ]; then
  mkdir -p "$(dirname "$first")"
  "$build/bench/bench_compare" --make-data "$first" "$second"
fi
cat "$first" "$second" >/dev/null # into the page cache before the first timing

# Default settings whatever the user's profile says.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
export VEXEL_PROFILE_DIR="$profile"

source "$here/measure.sh"

lines=$("$vexel" --compare "$first" "$second" | wc -l || true)
echo "report lines: $lines (2 + 3 per differing line)"
read -r base_wall base_cpu <<<"$(measure bash -c 'cmp -l "$0" "$1" | wc -l' "$first" "$second")"
printf '%-36s %7s %7s   %s\n' "command" "wall s" "cpu s" "time / cmp's (wall, cpu)"
printf '%-36s %7.3f %7.3f\n' "cmp -l | wc -l" "$base_wall" "$base_cpu"
for out in cp932 utf8; do
  read -r wall cpu <<<"$(measure bash -c '"$0" --compare --output-code "$1" "$2" "$3" | wc -l' \
    "$vexel" "$out" "$first" "$second")"
  printf '%-36s %7.3f %7.3f   %5.2fx %5.2fx\n' "vexel --compare --output-code $out" "$wall" "$cpu" \
    "$(awk -v a="$wall" -v b="$base_wall" 'BEGIN { print a / b }')" \
    "$(awk -v a="$cpu" -v b="$base_cpu" 'BEGIN { print a / b }')"
done
