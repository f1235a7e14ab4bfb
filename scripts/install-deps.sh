#!/usr/bin/env bash
# Installs, with apt-get, whatever Debian packages the build and the tests need
# and this machine lacks. Does nothing when all of them are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # the toolkit's own texts (buttons, file dialogs) in the languages shipped
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  # checks of the installed program: desktop entry, AppStream data, manual pages
  desktop-file-utils appstream man-db
  # the engine and tarvoss-cli for Windows, Wine to test them here, and the
  # sources of GoogleTest that the Windows tests are built with
  g++-mingw-w64-x86-64-posix wine wine64 googletest
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
