#!/usr/bin/env bash
# Times sha256sum of the 50 MiB file bench_checksum sums, beside
# bench_checksum's own figures on the same bytes: the checksum command's four
# sums together, and SHA-256 alone. sha256sum's times include its start and
# its reading of the file from the page cache; five runs each, medians of the
# wall time, and the ratio of the four sums to sha256sum.
# Usage: compare_checksum.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/bench_checksum"
data="$here/data/checksum-random-50MiB.bin"
size=52428800

[ -x "$bench" ] || { echo "compare_checksum: $bench is missing (build the bench_checksum target)" >&2; exit 1; }
if [ ! -f "$data" ] || [ "$(stat -c %s "$data")" -ne "$size" ]; then
  mkdir -p "$(dirname "$data")"
  "$bench" --make-data "$data"
fi
cat "$data" >/dev/null # into the page cache before the first timing

source "$here/measure.sh"
read -r sha_wall _ <<<"$(measure sha256sum "$data")"
sha_ms=$(awk -v s="$sha_wall" 'BEGIN { printf "%.1f", s * 1000 }')

# bench_checksum's medians, in milliseconds, by benchmark name.
figures=$("$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ { gsub(/"/, "", $1); sub(/\/real_time_median$/, "", $1); print $1, $3 }')
figure() { awk -v n="$1" '$1 == n { printf "%.1f", $2 }' <<<"$figures"; }

printf '%-34s %10s %8s\n' "50 MiB" "median ms" "ratio"
printf '%-34s %10s %8s\n' "sha256sum (baseline)" "$sha_ms" "1.00"
for name in BM_Checksum_AllFour BM_Checksum_Sha256Baseline BM_Checksum_Crc32; do
  ms=$(figure "$name")
  printf '%-34s %10s %8s\n' "$name" "$ms" "$(awk -v a="$ms" -v b="$sha_ms" 'BEGIN { printf "%.2f", a / b }')"
done
