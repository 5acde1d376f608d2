#!/usr/bin/env bash
# Times grep -c -F (LC_ALL=C, -a) counting two absent strings in the 50 MiB
# Shift-JIS text that bench_textfind searches, beside bench_textfind's own
# medians on the same bytes (the default find options: no pattern language,
# widths and case folded). grep's times include its start and its reading of
# the file from the page cache; five runs each, medians. The ratio is the
# text find's throughput over grep's (wall and CPU).
# Usage: compare_textfind.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/bench_textfind"
data="$here/data/textfind-sjis-50MiB.txt"
size=52428800

[ -x "$bench" ] || { echo "compare_textfind: $bench is missing (build the bench_textfind target)" >&2; exit 1; }
if [ ! -f "$data" ] || [ "$(stat -c %s "$data")" -ne "$size" ]; then
  mkdir -p "$(dirname "$data")"
  "$bench" --make-data "$data"
fi
cat "$data" >/dev/null # into the page cache before the first timing

source "$here/measure.sh"
export LC_ALL=C
# grep answers 1 for no match; measure wants every run to succeed.
grep_count() { grep -c -a -F "$1" "$data" || [ $? -eq 1 ]; }
read -r ascii_wall ascii_cpu <<<"$(measure grep_count 'Vexel!')"
read -r kana_wall kana_cpu <<<"$(measure grep_count $'\x83\x94\x83\x40\x83\x43\x83\x49\x83\x8A\x83\x93')"

# bench_textfind's medians in milliseconds, wall and CPU, by benchmark name.
figures=$("$bench" --benchmark_filter='TextFindAbsent' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $3, $4 }')
figure() { awk -v n="$1" -v f="$2" '$1 == n { printf "%.1f", $f }' <<<"$figures"; }

printf '%-22s %9s %9s %9s %9s %9s %9s %7s %7s\n' "absent string" "vexel ms" "cpu ms" \
  "memmem ms" "cpu ms" "grep ms" "cpu ms" "x wall" "x cpu"
row() { # name benchmark grep_wall_s grep_cpu_s
  local wall cpu
  wall=$(figure "$2" 2); cpu=$(figure "$2" 3)
  awk -v n="$1" -v w="$wall" -v c="$cpu" -v mw="$(figure "$2_MemmemBaseline" 2)" \
      -v mc="$(figure "$2_MemmemBaseline" 3)" -v gw="$3" -v gc="$4" 'BEGIN {
    gw *= 1000; gc *= 1000
    printf "%-22s %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %7.2f %7.2f\n", n, w, c, mw, mc, gw, gc, gw / w, (gc > 0 ? gc / c : 0)
  }'
}
row "ASCII (Vexel!)" BM_TextFindAbsent_Ascii "$ascii_wall" "$ascii_cpu"
row "katakana (6 chars)" BM_TextFindAbsent_Kana "$kana_wall" "$kana_cpu"
