#!/usr/bin/env bash
# quillmap-cli annotate as a whole process on a 10,000-line C file with 500 functions and a
# document describing them: the first run writes 500 comment blocks, the second finds them all
# current. Goal: each under 1 s of wall time. Prints the medians of RUNS runs, wall time and
# processor time (user + system, by /usr/bin/time, which tells how much of the wall time a busy
# machine added); exit status 1 when a median misses the goal or the second run changed the file.
#
# Usage: scripts/bench-annotate.sh [BUILD_DIR] [RUNS]   (default: build, 5)
set -euo pipefail
build=${1:-build}
runs=${2:-5}
cd "$(dirname "$0")/.."
cli="$build/quillmap-cli"
[[ -x $cli ]] || { echo "missing $cli: build first (make bench)" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
work=$(mktemp -d "$base/quillmap-bench-annotate.XXXXXX")
trap 'rm -rf "$work"' EXIT

# 500 functions of 20 lines each: a documentation comment, the definition and its body.
awk 'BEGIN {
  print "#include <stddef.h>"
  print ""
  for (f = 0; f < 500; ++f) {
    lines = (f == 0) ? 2 : 0
    printf "/** f%d: sums the first n values of the table, starting at index a. */\n", f
    printf "%sint f%d(int a, const int *table, size_t n)\n{\n", (f % 3 == 0 ? "static " : ""), f
    print "  int total = 0;"
    for (k = 0; k < 11 - lines; ++k) printf "  total += table[(a + %d) %% (int)n];\n", k
    print "  if (total < 0)"
    print "    total = -total;"
    print "  return total;"
    print "}"
    print ""
  }
}' > "$work/big.c"
"$cli" new "$work/big.dcm"
"$cli" import "$work/big.dcm" "$work/big.c" > /dev/null

# "wall cpu": the median of each column.
median() {
  local data
  data=$(cat)
  column() { awk "{ print \$$1 }" <<< "$data" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
  echo "$(column 1) $(column 2)"
}
# Times one annotate run, "wall cpu" in seconds; with "fresh", on the file without blocks.
timed() {
  [[ $1 == fresh ]] && cp "$work/big.c" "$work/run.c"
  local start=$EPOCHREALTIME
  /usr/bin/time -f '%U %S' -o "$work/time.txt" \
    "$cli" annotate "$work/big.dcm" "$work/run.c" --flags -1 2> /dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" -v t="$(tail -1 "$work/time.txt")" \
    'BEGIN { split(t, c, " "); printf "%.3f %.2f\n", b - a, c[1] + c[2] }'
}

first=$(for ((run = 0; run < runs; ++run)); do timed fresh; done | median)
cp "$work/run.c" "$work/annotated.c"
again=$(for ((run = 0; run < runs; ++run)); do timed again; done | median)
status=0
cmp -s "$work/run.c" "$work/annotated.c" || { echo "the second run changed the file" >&2; status=1; }

echo "quillmap-cli annotate, $(wc -l < "$work/big.c") lines, 500 functions, median of $runs runs"
echo "| run                          | time (cpu)     | goal  |"
echo "|------------------------------|----------------|-------|"
for entry in "writes 500 blocks|$first" "finds them current|$again"; do
  IFS='|' read -r label times <<< "$entry"
  read -r seconds cpu <<< "$times"
  printf '| %-28s | %4.2f s (%4.2f)  | < 1 s |\n' "$label" "$seconds" "$cpu"
  awk -v s="$seconds" 'BEGIN { exit !(s >= 1) }' && status=1
done
exit $status
