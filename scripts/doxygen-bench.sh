#!/usr/bin/env bash
# Times Doxygen on the benchmark document next to Quillmap's own HTML export of it.
#
# bench-export_bench writes the document of the benchmarks (10,000 functions, 1,000 structures)
# as a .dcm file and as a C header whose comment blocks carry the same texts in Doxygen style
# (@brief, @param, @return, @note, @see). Doxygen makes HTML only: no LaTeX, no graphs, no search
# index, quietly. quillmap-cli exports the .dcm file to its one HTML page (loading included).
#
# Usage: scripts/doxygen-bench.sh [BUILD_DIR]   (default: build; needs -DQUILLMAP_BENCH=ON)
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."

if ! command -v doxygen > /dev/null; then
  echo "doxygen is not installed: run scripts/install-deps.sh --bench" >&2
  exit 1
fi
for program in "$build/bench/bench-export_bench" "$build/quillmap-cli"; do
  if [[ ! -x $program ]]; then
    echo "missing $program: build with -DQUILLMAP_BENCH=ON first" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench-export_bench" --write-inputs="$work"

cat > "$work/Doxyfile" << 'DOXYFILE'
PROJECT_NAME           = "Quillmap benchmark"
INPUT                  = bench.h
OUTPUT_DIRECTORY       = doxygen-out
OPTIMIZE_OUTPUT_FOR_C  = YES
EXTRACT_ALL            = YES
GENERATE_HTML          = YES
GENERATE_LATEX         = NO
GENERATE_RTF           = NO
GENERATE_MAN           = NO
GENERATE_XML           = NO
HAVE_DOT               = NO
CLASS_GRAPH            = NO
COLLABORATION_GRAPH    = NO
INCLUDE_GRAPH          = NO
INCLUDED_BY_GRAPH      = NO
CALL_GRAPH             = NO
CALLER_GRAPH           = NO
GRAPHICAL_HIERARCHY    = NO
DIRECTORY_GRAPH        = NO
SEARCHENGINE           = NO
SOURCE_BROWSER         = NO
QUIET                  = YES
WARNINGS               = NO
WARN_IF_UNDOCUMENTED   = NO
DOXYFILE

now_ns() { date +%s%N; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }

start=$(now_ns)
(cd "$work" && doxygen Doxyfile > doxygen.log 2>&1)
doxygen_ns=$(($(now_ns) - start))
doxygen_files=$(find "$work/doxygen-out/html" -type f | wc -l)
doxygen_bytes=$(du -sb "$work/doxygen-out/html" | cut -f1)

# Quillmap: the best of three runs of the export command.
quillmap_ns=0
for _ in 1 2 3; do
  start=$(now_ns)
  "$build/quillmap-cli" export "$work/bench.dcm" "$work/bench.htm"
  elapsed=$(($(now_ns) - start))
  if ((quillmap_ns == 0 || elapsed < quillmap_ns)); then quillmap_ns=$elapsed; fi
done
page_bytes=$(stat -c %s "$work/bench.htm")

echo "doxygen $(doxygen --version): $(seconds "$doxygen_ns") s" \
  "($doxygen_files files, $doxygen_bytes bytes of HTML)"
echo "quillmap-cli export (load and export): $(seconds "$quillmap_ns") s" \
  "(1 file, $page_bytes bytes)"
awk -v d="$doxygen_ns" -v q="$quillmap_ns" 'BEGIN { printf "doxygen / quillmap: %.1fx\n", d / q }'
