#!/usr/bin/env bash
# Times grep (LC_ALL=C, -a) counting an absent 8-byte pattern in the 50 MiB
# file bench_find searches, beside bench_find's own figures on the same bytes:
# with case (grep -F), without case (grep -F -i) and with one any-byte
# position (grep with a "." in a basic expression). grep's times include its
# start and its reading of the file from the page cache; five runs each,
# medians of the wall time.
# Usage: compare_find.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/bench_find"
data="$here/data/find-mixed-50MiB.bin"
size=52428797

[ -x "$bench" ] || { echo "compare_find: $bench is missing (build the bench_find target)" >&2; exit 1; }
if [ ! -f "$data" ] || [ "$(stat -c %s "$data")" -ne "$size" ]; then
  mkdir -p "$(dirname "$data")"
  "$bench" --make-data "$data"
fi
cat "$data" >/dev/null # into the page cache before the first timing

# Median wall time in milliseconds of five runs of the command given.
measure() {
  local times=() t
  for _ in 1 2 3 4 5; do
    t=$( { TIMEFORMAT='%R'; time "$@" >/dev/null 2>/dev/null || true; } 2>&1 )
    times+=("$(awk -v s="$t" 'BEGIN { printf "%.1f", s * 1000 }')")
  done
  printf '%s\n' "${times[@]}" | sort -g | sed -n 3p
}

export LC_ALL=C
grep_case=$(measure grep -c -a -F 'etaoinsh' "$data")
grep_nocase=$(measure grep -c -a -F -i 'EtaoInsH' "$data")
grep_any=$(measure grep -c -a 'eta.insh' "$data")

# bench_find's medians, in milliseconds, by benchmark name.
figures=$("$bench" --benchmark_filter='FindAbsent' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $3 }')
figure() { awk -v n="$1" '$1 == n { printf "%.1f", $2 }' <<<"$figures"; }

printf '%-22s %12s %12s %12s\n' "absent 8-byte pattern" "vexel ms" "memmem ms" "grep ms"
memmem=$(figure BM_FindAbsent_MemmemBaseline)
printf '%-22s %12s %12s %12s\n' "with case" "$(figure BM_FindAbsent_MatchCase)" "$memmem" "$grep_case"
printf '%-22s %12s %12s %12s\n' "without case" "$(figure BM_FindAbsent_IgnoreCase)" "" "$grep_nocase"
printf '%-22s %12s %12s %12s\n' "one any-byte position" "$(figure BM_FindAbsent_AnyBytePosition)" "" "$grep_any"
