#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: with-display.sh COMMAND [ARGS...]
# The editor's tests use it so that windows, focus and simulated input of tests running at the
# same time never meet. Xvfb picks a free display number itself (-displayfd), so parallel runs
# can't collide.
set -uo pipefail

# GTK, fontconfig and WebKit keep memory to the end of a process on purpose; LeakSanitizer
# would report it on every run of a window test (test discovery included).
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

ready=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$ready"' EXIT

for _ in $(seq 1 200); do
  [[ -s "$ready" ]] && break
  kill -0 $xvfb 2>/dev/null || break
  sleep 0.05
done
display=$(tr -d '\n' <"$ready")
if [[ -z "$display" ]]; then
  echo "with-display.sh: Xvfb did not start" >&2
  exit 1
fi

status=0
DISPLAY=":$display" "$@" || status=$?
exit $status
