#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on the whole core) and runs each for a bounded time. Any crash fails the run.
# Each target keeps its corpus in fuzz/corpus/<target>, so a run starts where the
# last one ended; the inputs a run adds stay there, merged down to those that
# add coverage.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
here=$(cd "$(dirname "$0")" && pwd)
targets=(profile_fuzz attribute_fuzz dump_fuzz commandline_fuzz handoff_fuzz placement_fuzz normaliser_fuzz textlayout_fuzz pattern_fuzz template_fuzz cabinet_fuzz datafile_fuzz keyfile_fuzz)
cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVEXEL_SANITIZE=ON -DVEXEL_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}"
for target in "${targets[@]}"; do
  corpus="$here/corpus/$target"
  mkdir -p "$corpus"
  echo "fuzzing $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 "$corpus" \
    >"$build/$target.log" 2>&1 || { tail -40 "$build/$target.log"; exit 1; }
  grep -E 'Done [0-9]+ runs' "$build/$target.log" || true
  # Keep only the inputs that add coverage, so the corpus stays small.
  merged=$(mktemp -d)
  if "$build/fuzz/$target" -merge=1 "$merged" "$corpus" >>"$build/$target.log" 2>&1; then
    rm -rf "$corpus" && mv "$merged" "$corpus"
  else
    rm -rf "$merged"
  fi
done
