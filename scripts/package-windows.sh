#!/usr/bin/env bash
# Builds tarvoss-cli.exe for 64-bit Windows (preset windows-cli) and packs
# dist/tarvoss-cli-VERSION-win64.zip: the program, which runs alone (it is
# linked statically), its help as a text page made from --help, and the
# licence.
#   scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tarvoss VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package-windows: no version in CMakeLists.txt" >&2; exit 1; }

cmake --preset windows-cli -DTARVOSS_BUILD_TESTS=OFF >/dev/null
cmake --build --preset windows-cli -j "$(nproc)"

name=tarvoss-cli-$version-win64
stage=build-windows/$name
rm -rf "$stage"
mkdir -p "$stage"
cp build-windows/bin/tarvoss-cli.exe "$stage/"
# Texts with Windows' line ends, so that every editor there shows them right.
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
wine "$stage/tarvoss-cli.exe" --help | sed 's/\r*$/\r/' >"$stage/tarvoss-cli-help.txt"
[ -s "$stage/tarvoss-cli-help.txt" ] || { echo "package-windows: --help gave nothing" >&2; exit 1; }
sed 's/\r*$/\r/' dist/debian/copyright >"$stage/LICENSE.txt"
mkdir -p dist
rm -f "dist/$name.zip"
(cd build-windows && cmake -E tar cf "../dist/$name.zip" --format=zip "$name")
echo "Built dist/$name.zip"
