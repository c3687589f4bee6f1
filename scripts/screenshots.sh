#!/usr/bin/env bash
# Takes the editor's screenshots under a virtual display: screenshots.sh [BUILD_DIR]
# Writes BUILD_DIR/screenshots/1-main-frame.png, 2-second-function.png (examples/sample.dcm with
# its second function in the form), 3-html-page.png (that document exported as HTML by the
# editor, in a browser window), 4-html-format-dialog.png (the export's options dialog),
# 5-func-spec-settings.png (the clipboard settings dialog), 6-history-list.png and
# 7-history-entry.png (the update-history dialogs), 8-about-box.png (the About box with the
# application icon), the add-function, argument and related-functions dialogs
# (9-add-function.png, 10-argument.png, 11-related.png), the structure definition dialog of the
# document's first structure (12-struct-def.png), the form after three presses of Tab from the
# function list (13-tab-order.png), the Save As dialog (14-save-as.png) and the find window over
# the document with a match selected (15-find.png), the Edit menu with its undo and redo items
# after a function was copied (16-edit-menu.png) and the return-type list opened with a click on
# its button (17-return-type-list.png).
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/screenshots"
driver="$build/ui/quillmap-screenshots"
sample=examples/sample.dcm

for program in "$driver"; do
  if [[ ! -x "$program" ]]; then
    echo "$program is not built; run make build first." >&2
    exit 1
  fi
done
for tool in xvfb-run xauth; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

# Some machines carry a stand-in under the plain name; ImageMagick 6 installs import-im6 too.
if command -v import-im6 >/dev/null; then
  import=import-im6
elif command -v import >/dev/null; then
  import=import
else
  echo "ImageMagick's import is missing: run scripts/install-deps.sh" >&2
  exit 1
fi

mkdir -p "$out"
# The editor's own export writes the page during the run.
rm -f "$out"/*.png "$out/sample.htm"

# The run keeps its profile and WebKit's caches away from the user's own.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config" XDG_CACHE_HOME="$scratch/.cache" \
  XDG_DATA_HOME="$scratch/.local/share" QUILLMAP_IMPORT="$import" \
  xvfb-run -a -s '-screen 0 1280x1024x24' "$driver" "$out" "$sample" "$out/sample.htm"

ls -1 "$out"/*.png
