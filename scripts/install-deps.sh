#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quillmap need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  # quillmap-cli import and check read C files with libclang's C API
  libclang-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libwxgtk-webview3.2-dev libwebkit2gtk-4.0-dev
  # wx's own texts in the user's language, and a Japanese locale generated for the tests
  wx3.2-i18n locales
  xvfb xauth x11-utils libxtst-dev fonts-ipafont-gothic fonts-ipafont-mincho imagemagick
  strace
  # the application icon's bitmaps, and the checks of the installed program and its package
  librsvg2-bin desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
  libglib2.0-bin dpkg-dev file man-db binutils
  patchelf  # the install check's C reader without libclang
  cups-daemon cups-client  # a dummy print service for the tests of the print switches
)
if [[ "${1:-}" == "--bench" ]]; then packages+=(doxygen); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
