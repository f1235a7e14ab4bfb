#!/usr/bin/env bash
# Builds the Debian package tarvoss_VERSION-1_ARCH.deb in build-package/ from
# a release build for /usr, and checks it with lintian when that is present.
#   scripts/package.sh
# Install it with:  sudo apt-get install ./build-package/tarvoss_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# What only packaging needs: dpkg-shlibdeps reads the dependencies from the
# binaries, lintian checks the result.
missing=()
for p in dpkg-dev file lintian; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTARVOSS_BUILD_TESTS=OFF -DTARVOSS_BUILD_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)"
rm -f build-package/tarvoss_*.deb
(cd build-package && cpack -G DEB >/dev/null)
package=$(ls build-package/tarvoss_*.deb)
echo "Built $package"
# Errors fail the script; warnings are shown.
lintian --fail-on error "$package"
