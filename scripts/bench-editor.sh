#!/usr/bin/env bash
# Opens documents in the editor and reports how long it takes until the window shows the
# document, ready for input, and how much memory it took: the time from the start of the process
# until its window names the document and it has stopped using the processor (the last moment
# its processor time grew before a second of quiet), the processor time it used until then, and
# its peak resident set at that point.
# Each figure is the median of several runs. Without a display it runs itself under xvfb-run.
# The first document's figures are then held to the start-up goal (0.3 s of processor time until
# ready, 60 MB peak), and `quillmap --version` is timed as a whole process: the cost of loading
# the editor's libraries alone.
#
# Usage: scripts/bench-editor.sh EDITOR RUNS DOCUMENT...
set -euo pipefail
editor=${1:?usage: bench-editor.sh EDITOR RUNS DOCUMENT...}
runs=${2:?usage: bench-editor.sh EDITOR RUNS DOCUMENT...}
shift 2

if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' "$0" "$editor" "$runs" "$@"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
ticks_per_second=$(getconf CLK_TCK)
quiet_seconds=1

# Processor time of a process in clock ticks (user + system); empty when it is gone.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2> /dev/null) || return 0
  stat=${stat##*) }  # the fields after the command name
  read -r -a fields <<< "$stat"
  echo $((fields[11] + fields[12]))
}

# One run: prints "seconds_until_ready peak_kilobytes cpu_seconds", or "failed".
open_once() {
  local document=$1 name
  name=$(basename "$document")
  local start=$EPOCHREALTIME
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache "$editor" "$document" \
    > /dev/null 2>&1 &
  local pid=$! last_ticks=-1 last_change=$start shown=0 now ticks
  while :; do
    sleep 0.02
    now=$EPOCHREALTIME
    ticks=$(cpu_ticks "$pid")
    if [[ -z $ticks ]]; then
      echo failed
      return
    fi
    if [[ $ticks != "$last_ticks" ]]; then
      last_ticks=$ticks
      last_change=$now
    fi
    if ((shown == 0)) && xwininfo -root -tree 2> /dev/null | grep -qF -- "- $name\""; then
      shown=1
    fi
    if ((shown)) && awk -v a="$last_change" -v b="$now" -v q="$quiet_seconds" \
      'BEGIN { exit !(b - a >= q) }'; then
      break
    fi
    if awk -v a="$start" -v b="$now" 'BEGIN { exit !(b - a > 600) }'; then
      echo failed
      kill "$pid" 2> /dev/null || true
      return
    fi
  done
  local peak
  peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  awk -v a="$start" -v b="$last_change" -v m="$peak" -v c="$last_ticks" -v hz="$ticks_per_second" \
    'BEGIN { printf "%.3f %d %.2f\n", b - a, m, c / hz }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "editor: window up on the document, ready for input; median of $runs runs" \
  "(ticks of ${ticks_per_second} Hz; uptime: $(uptime | sed 's/.*load/load/'))"
echo "| document                       |   file |     ready |  processor |  peak mem |"
echo "|--------------------------------|--------|-----------|------------|-----------|"
# The first start of the editor in a fresh home builds caches (fonts): not part of any figure.
open_once "$1" > /dev/null
for document in "$@"; do
  samples=()
  for ((run = 0; run < runs; ++run)); do samples+=("$(open_once "$document")"); done
  [[ -n ${QUILLMAP_BENCH_VERBOSE:-} ]] && echo "${samples[*]}" >&2
  if printf '%s\n' "${samples[@]}" | grep -q failed; then
    printf '| %-30s | failed to come up |\n' "$(basename "$document")"
    continue
  fi
  t=$(printf '%s\n' "${samples[@]}" | awk '{ print $1 }' | median)
  m=$(printf '%s\n' "${samples[@]}" | awk '{ print $2 }' | median)
  c=$(printf '%s\n' "${samples[@]}" | awk '{ print $3 }' | median)
  awk -v d="$(basename "$document")" -v s="$(stat -c %s "$document")" -v t="$t" -v m="$m" -v c="$c" \
    'BEGIN { printf "| %-30s | %4.0f MB | %7.2f s | %8.2f s | %6.0f MB |\n", d, s / 1e6, t, c,
             m * 1024 / 1e6 }'
  if [[ $document == "$1" ]]; then
    goal_row=$(awk -v d="$(basename "$document")" -v m="$m" -v c="$c" 'BEGIN {
      mb = m * 1024 / 1e6
      printf "start-up on %s: processor %.2f s until ready (goal 0.3 s), peak %.0f MB (goal 60 MB)%s",
             d, c, mb, (c > 0.3 || mb > 60) ? " OVER" : "" }')
  fi
done
[[ -n ${goal_row:-} ]] && echo "$goal_row"

# --version: the libraries' loading alone, before any display is touched.
versions=()
for ((run = 0; run < runs; ++run)); do
  versions+=("$({ /usr/bin/time -f '%e %U %S %M' "$editor" --version > /dev/null; } 2>&1)")
done
printf '%s\n' "${versions[@]}" | awk '{ print $1, $2 + $3, $4 }' | sort -g | awk -v n="$runs" '
  NR == int((n + 1) / 2) {
    printf "quillmap --version: %.0f ms (processor %.0f ms), peak %.0f MB\n", $1 * 1000, $2 * 1000,
           $3 * 1024 / 1e6 }'
