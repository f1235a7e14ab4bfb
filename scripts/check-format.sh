#!/usr/bin/env bash
# Fails when a C++ source differs from the style in .clang-format; prints the
# files that do. Reformat them with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
unformatted=()
for source in "${sources[@]}"; do
  clang-format --dry-run --Werror "$source" >/dev/null 2>&1 || unformatted+=("$source")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (clang-format -i them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "Formatting: ${#sources[@]} sources as .clang-format says"
