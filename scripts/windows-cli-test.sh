#!/usr/bin/env bash
# tarvoss-cli.exe under Wine against the Linux build of tarvoss-cli:
#   scripts/windows-cli-test.sh LINUX_CLI WINDOWS_CLI WORK_FOLDER
# - the same files (a tree with names outside ASCII) encrypted by both give
#   identical bytes, and each decrypts the other's output;
# - paths are named as Windows writes them, with "\";
# - on a console: a key typed for --key-stdin is read without echo, and
#   Ctrl+C stops a run after the file in work (exit status 1);
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

echo "Paths are shown as Windows writes them"
# Typed with "/", named back with "\" in the item's line and in a refusal.
shown_file="$work/plain/Ünïcødé дир/файл €.txt"
mkdir -p "$work/shown"
wine_cli encrypt --to "$(windows_path "$work/shown")" --key "$key" "Z:$shown_file" >"$work/shown.log" 2>&1 ||
  fail "encrypting one file failed: $(cat "$work/shown.log")"
grep -qF -- "- Encrypting file \"$(windows_path "$shown_file")\"... OK" "$work/shown.log" ||
  fail "the item's line does not name the file as Windows does: $(cat "$work/shown.log")"
set +e
wine_cli encrypt --to "$(windows_path "$work/shown")" --key "$key" "Z:$work/plain/missing" >"$work/shown.log" 2>&1
status=$?
set -e
[ "$status" -eq 2 ] || fail "a missing path ended with $status"
grep -qF "no such file or folder: \"$(windows_path "$work/plain/missing")\"" "$work/shown.log" ||
  fail "the refusal does not name the path as Windows does: $(cat "$work/shown.log")"

echo "The console: a key typed without echo, Ctrl+C stops the run"
# On a terminal of its own (script(1) makes one) Wine gives the program a
# console, as a command prompt would: keys typed there reach its console
# input, and Ctrl+C its console control handler.
console_start() {  # SCREEN COMMAND...: what the console shows goes to SCREEN; type on fd 7
  local screen=$1
  shift
  rm -f "$work/keys"
  mkfifo "$work/keys"
  script -qefc "$(printf '%q ' "$@")" /dev/null <"$work/keys" >"$screen" 2>&1 &
  console_runner=$!
  exec 7>"$work/keys"
}
console_end() {
  set +e
  wait "$console_runner"
  console_status=$?
  set -e
  exec 7>&-
}
# What the console showed, without its control sequences, line ends and
# blanks (it draws a blank as a move of the cursor).
console_text() { sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$1" | tr -d '\r '; }
# Typed only once the program runs: before Wine's console takes the terminal
# over, the terminal itself would echo.
await_program() {
  for _ in $(seq 1 200); do grep -qs "$1" /proc/[0-9]*/cmdline && break; sleep 0.05; done
  sleep 3
}
typed_part=${key:9:8}
mkdir -p "$work/typed" "$work/typed-linux" "$work/stopped"
console_start "$work/typed.screen" wine "$windows_cli" encrypt --to "$(windows_path "$work/typed")" --key-stdin \
  "$(windows_path "$work/plain/big.bin")"
await_program 'tarvoss-cli[.]exe'
printf '%s\r' "$key" >&7
console_end
[ "$console_status" -eq 0 ] || fail "the run with a typed key ended with $console_status: $(console_text "$work/typed.screen")"
"$linux_cli" --quiet encrypt --to "$work/typed-linux" --key "$key" "$work/plain/big.bin"
cmp -s "$work/typed/big.bin" "$work/typed-linux/big.bin" || fail "the typed key is not the key"
grep -q "Encryptingfile" <<<"$(console_text "$work/typed.screen")" || fail "the console showed nothing of the run"
! grep -q "$typed_part" <<<"$(console_text "$work/typed.screen")" || fail "the console showed the typed key"
# The check sees echo where there is some: the command prompt's own input shows.
console_start "$work/echo.screen" wine cmd /c set /p typed=
await_program 'cmd[.]exe'
printf 'shown-%s\r' "$typed_part" >&7
console_end
grep -q "shown-$typed_part" <<<"$(console_text "$work/echo.screen")" || fail "the console shows no echo at all"
# Ctrl+C once the second of forty files is in work: the run ends after the
# file in work, with status 1, and says so.
mkdir -p "$work/forty"
for i in $(seq 10 49); do head -c $((4 << 20)) /dev/zero >"$work/forty/$i.bin"; done
console_start "$work/stopped.screen" wine "$windows_cli" encrypt --to "$(windows_path "$work/stopped")" --key "$key" \
  "$(windows_path "$work/forty")"
for _ in $(seq 1 600); do
  [ "$(console_text "$work/stopped.screen" | grep -o Encryptingfile | wc -l)" -ge 2 ] && break
  sleep 0.05
done
printf '\003' >&7
console_end
[ "$console_status" -eq 1 ] || fail "the run stopped by Ctrl+C ended with $console_status"
grep -q "Encryptingwasterminatedbyuser" <<<"$(console_text "$work/stopped.screen")" ||
  fail "the run did not say it was stopped: $(console_text "$work/stopped.screen")"
copied=$(find "$work/stopped/forty" -name '*.bin' | wc -l)
[ "$copied" -lt 40 ] || fail "Ctrl+C did not stop the run: all 40 files were copied"
echo "  key read without echo; Ctrl+C stopped the run after $copied of 40 files"

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
victim=$(windows_path "$work/victim.bin")
wine_cli recover --list | grep -qF "${victim#Z:}" || fail "recover --list does not show the killed run as Windows names it"
wine_cli --quiet recover --key "$key" || fail "recover did not finish the file"
cmp -s "$work/victim.bin" "$work/expected.bin" || fail "the recovered file differs from an uninterrupted run's"
compgen -G "$journals/*.journal" >/dev/null && fail "a journal stayed after recover"
echo "Windows command line: all checks passed"
