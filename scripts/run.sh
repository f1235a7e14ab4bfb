#!/usr/bin/env bash
# Builds the program and starts it. Arguments are handed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/bin/tarvoss ]; then
  exec build/bin/tarvoss "$@"
fi
exec build/bin/tarvoss-cli "${@:---help}"
