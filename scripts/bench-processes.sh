#!/usr/bin/env bash
# Whole-process figures of quillmap-cli (--version, resave, export, dump, find) against the floor of copying the same bytes with cat:
# wall time (start-up, load, work and freeing included) and peak memory (maximum resident set),
# each the median of several runs, with the limits they are held to: --version 5 ms and 5 MB;
# resave and export of the realistic documents 3x the floor; peak memory the file's size + 30 MB
# for those documents and twice the size + 30 MB for the malformed ones. A figure over its limit
# is marked OVER.
#
# Usage: scripts/bench-processes.sh [BUILD_DIR] [RUNS]   (default: build, 5)
# Environment: QUILLMAP_BENCH_DIR  where the documents and outputs go (default: a new folder in
#              /dev/shm when it exists, so that the disk does not decide the figures)
#              QUILLMAP_BENCH_SIZES  "functions:structures ..." (default "10000:1000 100000:10000")
#              QUILLMAP_BENCH_CRAFTED  set to 0 to skip the malformed files
#              QUILLMAP_BENCH_CRAFTED_RUNS  runs of each malformed file (default: RUNS)
set -euo pipefail
build=${1:-build}
runs=${2:-5}
cd "$(dirname "$0")/.."

cli="$build/quillmap-cli"
maker="$build/quillmap-make-bench-document"
for program in "$cli" "$maker"; do
  if [[ ! -x $program ]]; then
    echo "missing $program: build first (make bench)" >&2
    exit 1
  fi
done
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

if [[ -n ${QUILLMAP_BENCH_DIR:-} ]]; then
  work=$QUILLMAP_BENCH_DIR
  mkdir -p "$work"
else
  base=/tmp
  [[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
  work=$(mktemp -d "$base/quillmap-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

# Runs a command RUNS times; prints "median_seconds median_kilobytes median_cpu_seconds" (wall time
# by the shell's clock; peak memory and processor time, user and system, by /usr/bin/time).
measure() {
  local samples=()
  for ((run = 0; run < runs; ++run)); do
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%M %U %S' -o "$work/time.txt" "$@" > /dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    samples+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(tail -1 "$work/time.txt")")
  done
  local column t m c
  column() { printf '%s\n' "${samples[@]}" | awk "{ print $1 }" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
  t=$(column '$1')
  m=$(column '$2')
  c=$(column '$3 + $4')
  echo "$t $m $c"
}

file_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1e6 }'; }

# One row: job, document, time (and processor time) against the floor's and the ratio's limit
# (RATIO_LIMIT, 0 for none), and peak memory against MEMORY_FACTOR x the file's size + ALLOWANCE
# (30 MB unless given; MB = 10^6 bytes).
row() {
  local job=$1 doc=$2 result=$3 floor=$4 size_bytes=$5 memory_factor=${6:-2} ratio_limit=${7:-0}
  local allowance=${8:-30}
  local t m c ft fc
  read -r t m c <<< "$result"
  read -r ft _ fc <<< "$floor"
  awk -v job="$job" -v doc="$doc" -v t="$t" -v m="$m" -v c="$c" -v ft="$ft" -v fc="$fc" \
    -v s="$size_bytes" -v f="$memory_factor" -v rl="$ratio_limit" -v a="$allowance" 'BEGIN {
    goal = f * s / 1e6 + a
    mb = m * 1024 / 1e6
    ratio = ft > 0 ? sprintf("%.1fx", t / ft) : "-"
    limit = rl > 0 ? sprintf("%dx", rl) : "-"
    over = (rl > 0 && ft > 0 && t / ft > rl) || mb > goal ? " OVER" : ""
    floor = ft > 0 ? sprintf("%.2f s (%.2f)", ft, fc) : "-"
    printf "| %-6s | %-44s | %5.2f s (%.2f) | %15s | %5s | %5s | %6.0f MB | %6.0f MB |%s\n",
           job, doc, t, c, floor, ratio, limit, mb, goal, over
  }'
}

# --version: start-up alone, in milliseconds, against 5 ms and 5 MB.
version_row() {
  local result t m
  result=$(measure "$cli" --version)
  read -r t m c <<< "$result"
  awk -v t="$t" -v m="$m" -v c="$c" 'BEGIN {
    ms = t * 1000
    mb = m * 1024 / 1e6
    over = ms > 5 || mb > 5 ? " OVER" : ""
    printf "quillmap-cli --version: %.1f ms (limit 5 ms; processor %.0f ms), peak %.1f MB (limit 5 MB)%s\n",
           ms, c * 1000, mb, over
  }'
}

echo "quillmap-cli as whole processes, median of $runs runs (uptime: $(uptime | sed 's/.*load/load/'))"
version_row
echo "Times are wall clock, processor time (user + system) in brackets; ratio = time / floor time."
echo "| job    | document                                     |   time (cpu)   | cat floor (cpu) | ratio | limit |  peak mem | mem limit |"
echo "|--------|----------------------------------------------|----------------|-----------------|-------|-------|-----------|-----------|"

sizes=${QUILLMAP_BENCH_SIZES:-"10000:1000 100000:10000"}
for size in $sizes; do
  functions=${size%%:*}
  structures=${size##*:}
  doc="$work/bench-$functions.dcm"
  [[ -f $doc ]] || "$maker" "$doc" --functions "$functions" --structures "$structures"
  bytes=$(stat -c %s "$doc")
  label="$functions fn, $structures st, $(file_mb "$doc") MB"

  floor=$(measure sh -c "cat '$doc' > '$work/copy.dcm'")
  result=$(measure "$cli" resave "$doc" "$work/out.dcm")
  cmp -s "$doc" "$work/out.dcm" || echo "resave of $doc changed its bytes" >&2
  row resave "$label" "$result" "$floor" "$bytes" 1 3

  "$cli" export "$doc" "$work/page.htm"
  floor=$(measure sh -c "cat '$doc' > /dev/null && cat '$work/page.htm' > '$work/copy.htm'")
  result=$(measure "$cli" export "$doc" "$work/out.htm")
  row export "$label (page $(file_mb "$work/page.htm") MB)" "$result" "$floor" "$bytes" 1 3
  floor=$(measure sh -c "cat '$doc' > /dev/null")
  result=$(measure "$cli" dump "$doc")
  row dump "$label" "$result" "$floor" "$bytes" 1
  rm -f "$work/copy.dcm" "$work/copy.htm" "$work/out.dcm" "$work/out.htm" "$work/page.htm"

  # find in all texts: "Returns the Nth" is in the last function's explanation and nowhere else.
  word="$((functions - 1))th"
  [[ $("$cli" find "$doc" "$word" | wc -l) == 1 ]] || echo "find $word in $doc: not one line" >&2
  floor=$(measure sh -c "cat '$doc' > /dev/null")
  result=$(measure "$cli" find "$doc" "$word")
  row find "$label, last fn's word" "$result" "$floor" "$bytes"
done

if [[ ${QUILLMAP_BENCH_CRAFTED:-1} != 0 ]]; then
  runs=${QUILLMAP_BENCH_CRAFTED_RUNS:-$runs}
  crafted=(
    "export|--empty-records 125000|125,000 empty records, 2 MB"
    "export|--empty-records 1000000|1,000,000 empty records, 16 MB"
    "resave|--empty-records 1000000|1,000,000 empty records, 16 MB"
    "dump|--empty-records 1000000|1,000,000 empty records, 16 MB"
    "dump|--wide-root 20000000|root declaring 4e9 children, 20 MB"
    "dump|--wide-root 200000000|root declaring 4e9 children, 200 MB"
  )
  for entry in "${crafted[@]}"; do
    IFS='|' read -r job options label <<< "$entry"
    doc="$work/crafted.dcm"
    # shellcheck disable=SC2086
    "$maker" "$doc" $options
    bytes=$(stat -c %s "$doc")
    case $job in
      export) result=$(measure "$cli" export "$doc" "$work/out.htm") ;;
      resave) result=$(measure "$cli" resave "$doc" "$work/out.dcm") ;;
      *) result=$(measure "$cli" dump "$doc") ;;
    esac
    row "$job" "$label" "$result" "0 0 0" "$bytes"
    rm -f "$doc" "$work/out.htm" "$work/out.dcm"
  done

  # Documents whose one function is huge: a long name, a long explanation, a million arguments,
  # a million-deep tree. Goal: 2x the file + 60 MB.
  huge=(
    "export|--long-name 200000000||a 200 MB name"
    "clip|--long-explanation 200000000|f|a 200 MB explanation"
    "clip|--functions 1 --structures 0 --arguments 1000000|Qm_Function0|1,000,000 arguments"
    "clip|--deep 1000000|deep|1,000,000 levels deep"
  )
  for entry in "${huge[@]}"; do
    IFS='|' read -r job options name label <<< "$entry"
    doc="$work/huge.dcm"
    # shellcheck disable=SC2086
    "$maker" "$doc" $options
    bytes=$(stat -c %s "$doc")
    if [[ $job == export ]]; then
      result=$(measure "$cli" export "$doc" "$work/out.htm")
    else
      result=$(measure "$cli" clip "$doc" "$name")
    fi
    row "$job" "$label, $(file_mb "$doc") MB" "$result" "0 0 0" "$bytes" 2 0 60
    rm -f "$doc" "$work/out.htm"
  done
fi
