#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds on its
# seed corpus (fuzz/corpus/<name>; new inputs go to a scratch folder, the seeds stay as they are).
set -euo pipefail
seconds=${1:-20}
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLMAP_FUZZ=ON -DQUILLMAP_UI=OFF -DQUILLMAP_TESTS=OFF -DQUILLMAP_BENCH=OFF \
  -DQUILLMAP_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for target in build-fuzz/fuzz/fuzz-*; do
  [[ -x "$target" ]] || continue
  name=${target##*/fuzz-}
  scratch=$(mktemp -d)
  seeds=fuzz/corpus/$name
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$scratch" ${seeds:+$( [[ -d $seeds ]] && echo "$seeds")} 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  rm -rf "$scratch"
  if [[ $status -ne 0 ]]; then echo "fuzz-$name failed"; exit 1; fi
done
