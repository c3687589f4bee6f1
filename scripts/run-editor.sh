#!/usr/bin/env bash
# Starts the editor: run-editor.sh EDITOR [FILE]. It needs a display (X11 or Wayland).
set -euo pipefail

editor=${1:?usage: run-editor.sh EDITOR [FILE]}
shift

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display to show the editor on; run it on a virtual one: xvfb-run -a make run" >&2
  exit 1
fi
if [[ ! -x "$editor" ]]; then
  echo "The editor $editor is not built; run make build first." >&2
  exit 1
fi
exec "$editor" "$@"
