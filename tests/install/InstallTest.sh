#!/usr/bin/env bash
# Installs the build into a temporary root and checks the installed program
# from there: its version, a round trip with the command line, the window
# finding the read-only German language file as an ordinary user, and the
# desktop entry, AppStream data and manual pages.
#   InstallTest.sh BUILD-FOLDER VERSION hardened|plain
set -euo pipefail
# grep reads every line of what it searches: with pipefail, a grep -q that
# stops early would fail the producer with SIGPIPE on a long listing.
build=$1
version=$2
hardening=$3

work=$(mktemp -d)
cleanup() {
  [ -n "${window:-}" ] && kill "$window" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$work/root/usr"
# Installed files are the system's: nobody but their owner may change them,
# and here not even the owner.
chmod 755 "$work"
chmod -R a-w "$work/root"

if [ "$hardening" = hardened ]; then
  echo "-- the installed binaries are hardened"
  for binary in "$usr/bin/tarvoss" "$usr/bin/tarvoss-cli" "$usr"/lib/*/tarvoss/libadvhtmlhlp.so "$usr"/lib/tarvoss/libadvhtmlhlp.so; do
    [ -e "$binary" ] || continue
    readelf -lW "$binary" | grep GNU_RELRO >/dev/null || fail "$binary: no read-only relocations"
    readelf -dW "$binary" | grep BIND_NOW >/dev/null || fail "$binary: relocations not bound at start"
    nm -D "$binary" | grep __stack_chk_fail >/dev/null || fail "$binary: no stack protector"
  done
  for binary in "$usr/bin/tarvoss" "$usr/bin/tarvoss-cli"; do
    readelf -hW "$binary" | grep "DYN (Position-Independent Executable" >/dev/null || fail "$binary: not position-independent"
    nm -D "$binary" | grep "__[a-z]*_chk@" >/dev/null || fail "$binary: no fortified calls"
  done
fi

echo "-- the installed command line names its version"
[ "$("$usr/bin/tarvoss-cli" --version)" = "tarvoss-cli $version" ] || fail "--version printed the wrong text"

echo "-- a round trip with the installed command line"
data="$work/data"
mkdir -p "$data/plain" "$data/secret" "$data/back"
head -c 100000 /dev/urandom > "$data/plain/file.bin"
key=12345678-90123456-78901234-56789012-34567890
"$usr/bin/tarvoss-cli" encrypt --quiet --to "$data/secret" --key "$key" "$data/plain/file.bin"
cmp -s "$data/plain/file.bin" "$data/secret/file.bin" && fail "the encrypted copy equals the source"
"$usr/bin/tarvoss-cli" decrypt --quiet --to "$data/back" --key "$key" "$data/secret/file.bin"
cmp "$data/plain/file.bin" "$data/back/file.bin" || fail "the round trip changed the file"

echo "-- the installed window uses the read-only German language file"
home="$work/home"
mkdir -p "$home/.config/Mirrowdale"
printf '[Settings]\nCurrentLanguage=German.lng\nShowErrors=1\n' > "$home/.config/Mirrowdale/Tarvoss.conf"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # As root every file is writable; an ordinary user is what is tested.
  chown -R 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
log="$work/window.log"
: >"$log"
chmod 666 "$log"
env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_STATE_HOME="$home/state" \
  XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tarvoss.language.info=true" \
  "${as_user[@]}" "$usr/bin/tarvoss" >"$log" 2>&1 &
window=$!
expected="language file in use: $usr/share/tarvoss/Languages/German.lng"
for _ in $(seq 300); do
  grep -q "language file in use\|English texts in use" "$log" && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true
window=
grep -qF "$expected" "$log" || { cat "$log" >&2; fail "the window did not use the German file"; }

echo "-- desktop entry and AppStream data are valid"
desktop-file-validate "$usr/share/applications/org.mirrowdale.Tarvoss.desktop"
grep -qx 'Exec=tarvoss %F' "$usr/share/applications/org.mirrowdale.Tarvoss.desktop" || fail "Exec does not take every path"
appstreamcli validate --no-net "$usr/share/metainfo/org.mirrowdale.Tarvoss.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  [ -s "$usr/share/icons/hicolor/${size}x${size}/apps/org.mirrowdale.Tarvoss.png" ] || fail "no icon of $size pixels"
done

echo "-- both manual pages render without warnings"
for page in tarvoss tarvoss-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
# The command line's page carries every option its --help names.
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$usr/share/man/man1/tarvoss-cli.1.gz" 2>/dev/null)
for option in $("$usr/bin/tarvoss-cli" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
  grep -qF -- "$option" <<<"$text" || fail "the manual page lacks $option"
done

echo "-- bash completion offers the actions and options of the installed program"
completions=$(PATH="$usr/bin:$PATH" bash -c '
  source "$1"
  complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=(); _tarvoss_cli; echo "${COMPREPLY[*]}"; }
  complete_words tarvoss-cli --to /tmp ""
  complete_words tarvoss-cli encrypt --key-l' _ "$usr/share/bash-completion/completions/tarvoss-cli")
actions=" $(head -n 1 <<<"$completions") "
[[ $actions == *" encrypt "* && $actions == *" decrypt "* ]] || fail "completion offered the actions: $actions"
[ "$(tail -n 1 <<<"$completions")" = "--key-length" ] || fail "completion offered: $completions"

echo "1 passed, 0 failed"
