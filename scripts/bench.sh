#!/usr/bin/env bash
# Runs every benchmark of a build folder (default: build):
#   1. the Google Benchmark programs (build/bench/bench-*: load, save, export in process);
#   2. quillmap-cli as whole processes against the floor of copying the same bytes with cat, for
#      10,000 and 100,000 functions and the malformed files (scripts/bench-processes.sh);
#   3. the editor: the whole program opening the sample, 10,000 and 100,000 functions until it is
#      ready for input (scripts/bench-editor.sh), then in process: clicking functions, saving, and
#      showing a function of 80,000 arguments (bench-editor), under a virtual display.
# Environment: QUILLMAP_BENCH_RUNS (default 5) runs of each whole-process figure.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
shopt -s nullglob
programs=("$build"/bench/bench-*)
if [[ ${#programs[@]} -eq 0 ]]; then
  echo "no benchmark programs in $build/bench (configure with -DQUILLMAP_BENCH=ON)" >&2
  exit 1
fi
runs=${QUILLMAP_BENCH_RUNS:-5}

for program in "${programs[@]}"; do
  [[ -x "$program" && ${program##*/} != bench-editor ]] || continue
  echo "== ${program##*/}"
  "$program" --benchmark_color=false
done

base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
work=$(mktemp -d "$base/quillmap-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo
echo "== quillmap-cli as whole processes"
QUILLMAP_BENCH_DIR=$work ./scripts/bench-processes.sh "$build" "$runs"

if [[ -x $build/ui/quillmap && -x $build/bench/bench-editor ]]; then
  echo
  echo "== the editor"
  ./scripts/bench-editor.sh "$build/ui/quillmap" "$runs" examples/sample.dcm \
    "$work/bench-10000.dcm" "$work/bench-100000.dcm"
  "$build/quillmap-make-bench-document" "$work/arguments-80000.dcm" --functions 1 \
    --structures 0 --arguments 80000
  # Texts no person typed: one function whose name, or explanation, is 16 MB, and one whose name
  # is 200 MB (goal: opening and clicking it within 2x the file + 150 MB and 10 s).
  "$build/quillmap-make-bench-document" "$work/name-16mb.dcm" --long-name 16000000
  "$build/quillmap-make-bench-document" "$work/name-200mb.dcm" --long-name 200000000
  "$build/quillmap-make-bench-document" "$work/explanation-16mb.dcm" --long-explanation 16000000
  echo
  ./scripts/bench-editor.sh "$build/ui/quillmap" "$runs" "$work/name-16mb.dcm" \
    "$work/explanation-16mb.dcm" "$work/name-200mb.dcm"
  for document in bench-100000.dcm arguments-80000.dcm name-16mb.dcm explanation-16mb.dcm \
    name-200mb.dcm; do
    echo
    echo "bench-editor $document (in process)"
    xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' "$build/bench/bench-editor" \
      "$work/$document" 20
  done
fi
