#!/usr/bin/env bash
# tarvoss-cli.exe under Wine against the Linux build of tarvoss-cli:
#   scripts/windows-cli-test.sh LINUX_CLI WINDOWS_CLI WORK_FOLDER
# - the same files (a tree with names outside ASCII) encrypted by both give
#   identical bytes, and each decrypts the other's output;
# - a copy with deletion: decrypted sources go to the Recycle Bin, or, where
#   Wine offers none, stay where they are and the run says why (exit 1);
# - an in-place run killed in the middle is finished by "recover" to the bytes
#   an uninterrupted run gives.
# WINEPREFIX must be set; the work folder is emptied first.
set -euo pipefail
linux_cli=$1
windows_cli=$2
work=$3
export WINEDEBUG=-all
key=12345678-90123456-78901234-56789012-34567890

fail() {
  echo "windows-cli-test: $*" >&2
  exit 1
}
wine_cli() { wine "$windows_cli" "$@"; }
# The bytes of every file below a folder, with their relative names.
digest() { (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r md5sum); }
windows_path() { echo "Z:${1//\//\\}"; }

rm -rf "$work"
mkdir -p "$work/plain/Ünïcødé дир/ελληνικά" "$work/plain/empty" "$work/by-linux" "$work/by-windows" \
  "$work/back-linux" "$work/back-windows"
head -c 3000005 /dev/urandom >"$work/plain/big.bin"
printf 'short' >"$work/plain/Ünïcødé дир/файл €.txt"
printf '' >"$work/plain/Ünïcødé дир/ελληνικά/empty file"
head -c 65536 /dev/urandom >"$work/plain/Ünïcødé дир/ελληνικά/日本語.dat"

echo "Round trip: the Linux build and tarvoss-cli.exe give the same bytes"
"$linux_cli" --quiet encrypt --to "$work/by-linux" --key "$key" "$work/plain"
# Windows paths with backslashes on the command line, as a Windows user types them.
wine_cli --quiet encrypt --to "$(windows_path "$work/by-windows")" --key "$key" "$(windows_path "$work/plain")"
[ "$(digest "$work/by-linux")" = "$(digest "$work/by-windows")" ] || fail "the encrypted trees differ"
"$linux_cli" --quiet decrypt --to "$work/back-linux" --key "$key" "$work/by-windows/plain"
wine_cli --quiet decrypt --to "$work/back-windows" --key "$key" "$work/by-linux/plain"
[ "$(digest "$work/plain")" = "$(digest "$work/back-linux/plain")" ] || fail "Linux did not decrypt Windows' copies"
[ "$(digest "$work/plain")" = "$(digest "$work/back-windows/plain")" ] || fail "Windows did not decrypt Linux' copies"

echo "Copy with deletion: decrypted sources go to the Recycle Bin or stay with the reason"
mkdir -p "$work/deleted"
# Wine's Recycle Bin is the freedesktop.org trash of the data folder: one of
# this test's own.
export XDG_DATA_HOME=$work/data
mkdir -p "$XDG_DATA_HOME"
set +e
wine_cli decrypt --to "$work/deleted" --delete-sources --key "$key" "$work/by-linux/plain" >"$work/deletion.log" 2>&1
status=$?
set -e
[ "$(digest "$work/plain")" = "$(digest "$work/deleted/plain")" ] || fail "the decrypted copies are wrong"
if [ "$status" -eq 0 ]; then
  [ -z "$(find "$work/by-linux/plain" -type f 2>/dev/null)" ] || fail "a run that succeeded kept sources"
  for source in big.bin "файл €.txt" "日本語.dat" "empty file"; do
    [ -f "$XDG_DATA_HOME/Trash/files/$source" ] || fail "$source is neither kept nor in the Recycle Bin"
  done
  echo "  the sources went to the Recycle Bin"
else
  [ "$status" -eq 1 ] || fail "deletion run ended with $status"
  [ "$(digest "$work/by-linux/plain")" = "$(digest "$work/by-windows/plain")" ] || fail "a kept source changed"
  [ "$(grep -c -A1 '^- Deleting file .*Error:$' "$work/deletion.log")" -ge 4 ] ||
    fail "no reason given for the kept sources"
  echo "  no Recycle Bin here: the sources stayed, and the run said why:"
  grep -m1 -A1 '^- Deleting file' "$work/deletion.log" | sed 's/^/    /'
fi

echo "In place, killed in the middle, finished by recover"
journals=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local)/Tarvoss/journal
rm -rf "$journals"  # what earlier runs of this test left
head -c $((384 << 20)) /dev/urandom >"$work/in-place.bin"
cp "$work/in-place.bin" "$work/expected.bin"
"$linux_cli" --quiet encrypt --in-place --key "$key" "$work/expected.bin"
killed=0
for attempt in 1 2 3; do
  cp "$work/in-place.bin" "$work/victim.bin"
  wine "$windows_cli" --quiet encrypt --in-place --key "$key" "$work/victim.bin" &
  runner=$!
  # Killed once its journal holds a record and the file is part way.
  for _ in $(seq 1 400); do
    if compgen -G "$journals/*.journal" >/dev/null && ! cmp -s -n 65536 "$work/victim.bin" "$work/in-place.bin"; then
      kill -KILL "$runner" 2>/dev/null && killed=1
      break
    fi
    sleep 0.02
  done
  wait "$runner" 2>/dev/null || true
  wineserver -w || true
  if [ "$killed" -eq 1 ] && compgen -G "$journals/*.journal" >/dev/null; then break; fi
  killed=0
done
[ "$killed" -eq 1 ] || fail "the in-place run could not be caught in the middle"
wine_cli recover --list | grep -q "victim.bin" || fail "recover --list does not show the killed run"
wine_cli --quiet recover --key "$key" || fail "recover did not finish the file"
cmp -s "$work/victim.bin" "$work/expected.bin" || fail "the recovered file differs from an uninterrupted run's"
compgen -G "$journals/*.journal" >/dev/null && fail "a journal stayed after recover"
echo "Windows command line: all checks passed"
