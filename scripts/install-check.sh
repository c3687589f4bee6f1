#!/usr/bin/env bash
# Checks Quillmap as a desktop and a packager meet it: install-check.sh [BUILD_DIR [PACKAGE.deb]]
#
# BUILD_DIR is a built Release tree (make release: build-release), PACKAGE.deb the package made
# from it (make package: build/quillmap_VERSION_ARCH.deb). BUILD_DIR is installed under /usr into
# a scratch DESTDIR, and then:
#   - every installed file is where the freedesktop standards put it, and nothing else is;
#   - desktop-file-validate, appstreamcli validate --no-net and man --warnings find no fault;
#   - with XDG_DATA_HOME/XDG_DATA_DIRS at the DESTDIR (after update-mime-database and
#     update-desktop-database there), xdg-mime names our type for examples/sample.dcm and for a
#     copy renamed to .bin, under a generic desktop and under GNOME; a DICOM file keeps its type;
#     xdg-mime query default names our desktop entry;
#   - the installed programs answer --help and --version without a display, and neither needs
#     libclang or LLVM to start (no such ELF NEEDED entry), nor quillmap the page engine (wx's
#     web view, WebKitGTK, JavaScriptCore: only lib/quillmap/quillmap-page.so links them, and
#     the installed editor loads it from there when it opens a page, checked under xvfb-run when
#     that is installed); the installed quillmap-cli exports
#     the sample, and (when built with libclang) imports a header that includes <stddef.h> and
#     <stdarg.h> through its C reader and checks it, and says in one line what to install when
#     the reader can't load libclang (a copy of the reader whose libclang entry is renamed);
#   - the package lists the same files, takes its Depends from the shared libraries of the two
#     programs (none of LLVM's), recommends libclang and carries the project's version.
# Every failed check is reported on stderr; the exit status is 1 when any failed.
set -uo pipefail

cd "$(dirname "$0")/.." || exit 1
build=${1:-build-release}
deb=${2:-}
if [[ -z "$deb" ]]; then
  debs=(build/quillmap_*.deb)
  deb=${debs[-1]}
fi

failures=0
checks=0
fail() {
  echo "install-check: FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() {
  checks=$((checks + 1))
}
# check DESCRIPTION COMMAND...: runs the command, quiet; its output is shown when it fails.
check() {
  local what=$1 output
  shift
  if output=$("$@" 2>&1); then
    pass
  else
    fail "$what"
    if [[ -n "$output" ]]; then printf '%s\n' "$output" | sed 's/^/    /' >&2; fi
  fi
}
# verdict DESCRIPTION: passes when the last command succeeded (call it right after one).
verdict() {
  if [[ $? -eq 0 ]]; then pass; else fail "$1"; fi
}
# expect DESCRIPTION EXPECTED ACTUAL
expect() {
  if [[ "$3" == "$2" ]]; then
    pass
  else
    fail "$1: expected '$2', got '$3'"
  fi
}

for tool in desktop-file-validate appstreamcli update-mime-database update-desktop-database \
  xdg-mime mimetype gio dpkg-deb man file iconv readelf patchelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "install-check: $tool is missing: run scripts/install-deps.sh" >&2
    exit 1
  fi
done
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  echo "install-check: $build is not a build tree: run make release first" >&2
  exit 1
fi
if [[ ! -f "$deb" ]]; then
  echo "install-check: no package at '$deb': run make package first" >&2
  exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
share="$root/usr/share"

# ---- install ---------------------------------------------------------------------------------
if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  sed 's/^/    /' "$scratch/install.log" >&2
  fail "cmake --install $build did not finish"
  exit 1
fi

# ---- the files and where they are ---------------------------------------------------------------
expected=(
  usr/bin/quillmap
  usr/bin/quillmap-cli
  usr/lib/quillmap/quillmap-page.so
  usr/share/applications/quillmap.desktop
  usr/share/metainfo/org.orrinwerk.Quillmap.metainfo.xml
  usr/share/mime/packages/quillmap.xml
  usr/share/icons/hicolor/scalable/apps/quillmap.svg
  usr/share/man/man1/quillmap.1.gz
  usr/share/man/man1/quillmap-cli.1.gz
)
with_reader=0
if grep -q '^QUILLMAP_CLANG_LIBRARY:FILEPATH=/' "$build/CMakeCache.txt"; then
  with_reader=1
  expected+=(usr/lib/quillmap/quillmap-c-reader)
fi
icon_sizes=(16 22 24 32 48 64 128 256)
for size in "${icon_sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/quillmap.png")
done
installed=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
expect "the installed files" "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)" "$installed"

for program in quillmap quillmap-cli; do
  [[ -x "$root/usr/bin/$program" ]]
  verdict "usr/bin/$program is not executable"
  # The build tree's run path must not reach the installed program.
  runpath=$(readelf -d "$root/usr/bin/$program" 2>/dev/null | grep -E 'RPATH|RUNPATH' || true)
  expect "run path of usr/bin/$program" "" "$runpath"
  # Only the C reader loads libclang; the programs start without it.
  needed=$(readelf -d "$root/usr/bin/$program" 2>/dev/null | grep NEEDED | grep -iE 'clang|llvm' || true)
  expect "libclang or LLVM among the NEEDED libraries of usr/bin/$program" "" "$needed"
done
# The page engine is loaded when a page opens, from the module alone.
needed=$(readelf -d "$root/usr/bin/quillmap" 2>/dev/null | grep NEEDED |
  grep -iE 'webview|webkit|javascriptcore' || true)
expect "the page engine among the NEEDED libraries of usr/bin/quillmap" "" "$needed"
readelf -d "$root/usr/lib/quillmap/quillmap-page.so" 2>/dev/null | grep NEEDED | grep -q webkit2gtk
verdict "usr/lib/quillmap/quillmap-page.so does not link WebKitGTK"
for size in "${icon_sizes[@]}"; do
  png="$share/icons/hicolor/${size}x${size}/apps/quillmap.png"
  [[ -f "$png" ]] || continue
  kind=$(file --brief "$png")
  [[ "$kind" == "PNG image data, $size x $size, "* ]]
  verdict "${size}x${size}/apps/quillmap.png is not a $size x $size PNG: $kind"
done

# ---- validators ---------------------------------------------------------------------------------
desktop="$share/applications/quillmap.desktop"
metainfo="$share/metainfo/org.orrinwerk.Quillmap.metainfo.xml"
check "desktop-file-validate quillmap.desktop" desktop-file-validate "$desktop"
check "appstreamcli validate --no-net org.orrinwerk.Quillmap.metainfo.xml" \
  appstreamcli validate --no-net "$metainfo"
for page in quillmap quillmap-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
    "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  expect "man --warnings on $page.1" "" "$warnings"
  header=$(zcat "$share/man/man1/$page.1.gz" | grep -m1 '^\.TH')
  [[ "$header" == *"Quillmap $version"* ]]
  verdict "$page.1 names no version $version: $header"
done

# What the desktop entry names must be there: the program, its icon, the document type.
expect "Exec of the desktop entry" "quillmap %F" "$(sed -n 's/^Exec=//p' "$desktop")"
expect "Icon of the desktop entry" "quillmap" "$(sed -n 's/^Icon=//p' "$desktop")"
expect "MimeType of the desktop entry" "application/x-quillmap-document;text/html;" \
  "$(sed -n 's/^MimeType=//p' "$desktop")"
expect "Categories of the desktop entry" "Development;" "$(sed -n 's/^Categories=//p' "$desktop")"
grep -q 'type="application/x-quillmap-document"' "$share/mime/packages/quillmap.xml"
verdict "quillmap.xml does not define application/x-quillmap-document"
release=$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | sed 's/.*="//; s/"$//')
expect "the newest release of the metainfo" "$version" "$release"

# ---- the desktop's view: document type and default application ----------------------------------
check "update-mime-database" update-mime-database "$share/mime"
check "update-desktop-database" update-desktop-database "$share/applications"
mkdir -p "$scratch/home" "$scratch/config" "$scratch/config-dirs" "$scratch/files"
# A desktop session whose only data folders are the DESTDIR's and the system's.
on_desktop() {
  local desktop_name=$1
  shift
  env -i PATH="$PATH" HOME="$scratch/home" XDG_CURRENT_DESKTOP="$desktop_name" \
    XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share:/usr/share" \
    XDG_CONFIG_HOME="$scratch/config" XDG_CONFIG_DIRS="$scratch/config-dirs" "$@"
}
cp examples/sample.dcm "$scratch/files/sample.bin"
# A DICOM file: 128 bytes of preamble, then "DICM".
{
  head -c 128 /dev/zero
  printf 'DICM'
  head -c 64 /dev/zero
} >"$scratch/files/scan.dcm"
# Generic: xdg-mime asks File::MimeInfo (mimetype); GNOME: GLib (gio info).
for desktop_name in "" GNOME; do
  label=${desktop_name:-generic}
  for file in examples/sample.dcm "$scratch/files/sample.bin"; do
    expect "xdg-mime query filetype $(basename "$file") ($label desktop)" \
      application/x-quillmap-document "$(on_desktop "$desktop_name" xdg-mime query filetype "$file" 2>&1)"
  done
  expect "xdg-mime query filetype of a DICOM file named .dcm ($label desktop)" application/dicom \
    "$(on_desktop "$desktop_name" xdg-mime query filetype "$scratch/files/scan.dcm" 2>&1)"
done
expect "xdg-mime query default application/x-quillmap-document" quillmap.desktop \
  "$(on_desktop "" xdg-mime query default application/x-quillmap-document 2>&1)"

# ---- the installed programs ---------------------------------------------------------------------
cli="$root/usr/bin/quillmap-cli"
editor="$root/usr/bin/quillmap"
# No display: --help and --version are answered before GTK starts.
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
expect "quillmap-cli --version" "quillmap-cli (Quillmap) $version" "$(no_display "$cli" --version 2>&1)"
expect "quillmap --version without a display" "quillmap (Quillmap) $version" \
  "$(no_display "$editor" --version 2>&1)"
help=$(no_display "$editor" --help 2>&1)
verdict "quillmap --help without a display ended with a failure"
[[ "$help" == "usage: quillmap [FILE...]"* ]]
verdict "quillmap --help printed: $help"
cli_help=$(no_display "$cli" --help 2>/dev/null)
verdict "quillmap-cli --help ended with a failure"
for command in new resave dump parse add export clip import check; do
  grep -q "^  $command " <<<"$cli_help"
  verdict "quillmap-cli --help does not list '$command'"
done

page="$scratch/files/sample.htm"
if "$cli" export examples/sample.dcm "$page" 2>"$scratch/export.err"; then
  pass
  reference="$scratch/files/reference.htm"
  "$build/quillmap-cli" export examples/sample.dcm "$reference"
  cmp -s "$page" "$reference"
  verdict "the installed quillmap-cli exports another page than the built one"
  text=$(iconv -f CP932 -t UTF-8 "$page")
  grep -q 'charset=x-sjis' <<<"$text"
  verdict "the exported page declares no charset x-sjis"
  names=$("$cli" dump examples/sample.dcm | grep -o '{"name": "name", "children": \[{"name": "[^"]*"' |
    sed 's/.*"name": "//; s/"$//')
  [[ -n "$names" ]]
  verdict "quillmap-cli dump lists no function of the sample"
  while IFS= read -r name; do
    grep -qF "$name" <<<"$text"
    verdict "the exported page lacks the function '$name'"
  done <<<"$names"
else
  fail "installed quillmap-cli export examples/sample.dcm: $(cat "$scratch/export.err")"
fi

# The installed editor opens the exported page: it loads its page engine from lib/quillmap (a
# module it can't load would leave a message box up and the engine unloaded).
if command -v xvfb-run >/dev/null && [[ -f "$page" ]]; then
  HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/home/cache" \
    xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' "$editor" "$page" >/dev/null 2>&1 &
  runner=$!
  loaded=0
  for ((wait = 0; wait < 300 && loaded == 0; ++wait)); do
    sleep 0.1
    for pid in $(pgrep -f -- "^$editor "); do
      if grep -q "$root/usr/lib/quillmap/quillmap-page.so" "/proc/$pid/maps" 2>/dev/null &&
        grep -q libwebkit2gtk "/proc/$pid/maps" 2>/dev/null; then
        loaded=1
      fi
    done
  done
  expect "the installed quillmap loads its page engine when it opens a page" 1 "$loaded"
  for pid in $(pgrep -f -- "^$editor "); do kill "$pid"; done
  wait "$runner" 2>/dev/null
fi

# import and check read C through the C reader, when the build found libclang.
if [[ $with_reader -eq 1 ]]; then
  header="$scratch/files/api.h"
  printf '%s\n' '#include <stdarg.h>' '#include <stddef.h>' '/** Adds two numbers. */' \
    'int add(int a, int b);' '/** Formats into a buffer. */' \
    'int format(char *buffer, size_t size, const char *format, va_list args);' \
    'struct pair { int a; int b; };' >"$header"
  document="$scratch/files/api.dcm"
  if "$cli" new "$document" && "$cli" import "$document" "$header" >"$scratch/import.out" \
    2>"$scratch/import.err"; then
    pass
    expect "installed quillmap-cli import" \
      "$document: 2 functions and 1 structure added; 0 functions and 0 structures already there" \
      "$(cat "$scratch/import.out")"
    check "installed quillmap-cli check right after import" "$cli" check "$document" "$header"
  else
    fail "installed quillmap-cli import: $(cat "$scratch/import.err")"
  fi

  # The reader without libclang: a copy of the installed programs whose reader asks for a
  # library that isn't there, as on a system without libclang1.
  mkdir -p "$scratch/no-libclang/bin" "$scratch/no-libclang/lib/quillmap"
  cp "$cli" "$scratch/no-libclang/bin/"
  reader="$scratch/no-libclang/lib/quillmap/quillmap-c-reader"
  cp "$root/usr/lib/quillmap/quillmap-c-reader" "$reader"
  library=$(readelf -d "$reader" | sed -n 's/.*NEEDED.*\[\(libclang[^]]*\)\]/\1/p')
  if [[ -n "$library" ]] &&
    patchelf --replace-needed "$library" libclang-not-installed.so.0 "$reader"; then
    pass
    before=$(md5sum <"$document")
    "$scratch/no-libclang/bin/quillmap-cli" import "$document" "$header" >/dev/null \
      2>"$scratch/missing.err"
    expect "import without libclang: exit status" 1 "$?"
    message=$(cat "$scratch/missing.err")
    [[ $(wc -l <"$scratch/missing.err") -eq 1 && "$message" == *"libclang"*"install libclang1-"* ]]
    verdict "import without libclang says in one line what to install: $message"
    expect "import without libclang leaves the document" "$before" "$(md5sum <"$document")"
    "$scratch/no-libclang/bin/quillmap-cli" export examples/sample.dcm \
      "$scratch/files/no-libclang.htm"
    verdict "export fails without libclang"
  else
    fail "could not make the C reader without libclang ($reader: NEEDED '$library')"
  fi
fi

# ---- the package --------------------------------------------------------------------------------
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | LC_ALL=C sort)
expect "the files of $(basename "$deb") (dpkg-deb -c)" "$installed" "$packaged"
expect "the package's version" "$version" "$(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libwxgtk3.2-1 libwxgtk-webview3.2-1; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]]
  verdict "the package does not depend on $library (Depends: $depends)"
done
[[ "$depends" != *clang* && "$depends" != *llvm* && "$depends" != *LLVM* ]]
verdict "the package depends on libclang or LLVM (Depends: $depends)"
if [[ $with_reader -eq 1 ]]; then
  recommends=$(dpkg-deb -f "$deb" Recommends)
  for library in libclang1- libclang-common-; do
    [[ ", $recommends" == *", $library"[0-9]* ]]
    verdict "the package does not recommend $library* (Recommends: $recommends)"
  done
fi

if [[ $failures -gt 0 ]]; then
  echo "install-check: $failures of $((checks + failures)) checks failed" >&2
  exit 1
fi
echo "install-check: all $checks checks passed ($(basename "$deb"))"
