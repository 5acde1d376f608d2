#!/usr/bin/env bash
# Times `vexel --print-pdf` of a 1 MiB file of random bytes at the default
# page layout, beside `vexel --dump` of the same file (the same dump text,
# without pages): five runs each. Prints the medians of wall and CPU time,
# the page count and the pages per second.
# Usage: compare_printpdf.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
vexel="$build/vexel"
[ -x "$vexel" ] || { echo "compare_printpdf: $vexel is missing (build the vexel target)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VEXEL_PROFILE_DIR="$work"   # the default layout, whatever the user's is
head -c 1048576 /dev/urandom >"$work/data.bin"

source "$here/measure.sh"

read -r dump_wall dump_cpu <<<"$(measure "$vexel" --dump "$work/data.bin")"
read -r pdf_wall pdf_cpu <<<"$(measure "$vexel" --print-pdf "$work/out.pdf" "$work/data.bin")"
pages=$(pdfinfo "$work/out.pdf" | awk '/^Pages:/ { print $2 }')
printf '%-24s %7s %7s\n' "command" "wall s" "cpu s"
printf '%-24s %7.3f %7.3f\n' "--dump (baseline)" "$dump_wall" "$dump_cpu"
printf '%-24s %7.3f %7.3f   %s pages, %.0f pages/s (wall), %.0f pages/s (cpu)\n' "--print-pdf" \
  "$pdf_wall" "$pdf_cpu" "$pages" \
  "$(awk -v p="$pages" -v t="$pdf_wall" 'BEGIN { print p / t }')" \
  "$(awk -v p="$pages" -v t="$pdf_cpu" 'BEGIN { print p / t }')"
