#!/usr/bin/env bash
# Runs every benchmark program of a build folder (default: build): build/bench/bench-*.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
shopt -s nullglob
programs=("$build"/bench/bench-*)
if [[ ${#programs[@]} -eq 0 ]]; then
  echo "no benchmark programs in $build/bench (configure with -DQUILLMAP_BENCH=ON)" >&2
  exit 1
fi
for program in "${programs[@]}"; do
  [[ -x "$program" ]] || continue
  echo "== ${program##*/}"
  "$program" --benchmark_color=false
done
