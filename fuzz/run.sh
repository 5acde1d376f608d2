#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on the whole core) and runs each for a bounded time. Any crash fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
here=$(cd "$(dirname "$0")" && pwd)
cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVEXEL_SANITIZE=ON -DVEXEL_FUZZ=ON >/dev/null
cmake --build "$build" --target profile_fuzz attribute_fuzz dump_fuzz
for target in profile_fuzz attribute_fuzz dump_fuzz; do
  corpus=$(mktemp -d)
  echo "fuzzing $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 "$corpus" \
    >"$build/$target.log" 2>&1 || { tail -40 "$build/$target.log"; rm -rf "$corpus"; exit 1; }
  grep -E 'Done [0-9]+ runs' "$build/$target.log" || true
  rm -rf "$corpus"
done
