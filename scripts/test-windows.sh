#!/usr/bin/env bash
# The Windows stage of the suite: builds the engine, tarvoss-cli.exe and the
# engine's tests with MinGW-w64 (preset windows-cli, in build-windows/) and
# runs them under Wine, in a Wine prefix of its own inside the build folder.
#   scripts/test-windows.sh [LINUX_CLI]
# LINUX_CLI (default build/bin/tarvoss-cli) is the Linux build that
# tarvoss-cli.exe is compared with.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_cli=${1:-build/bin/tarvoss-cli}
started=$SECONDS

tests=(
  tarvoss_cipher_tests tarvoss_file_transform_tests tarvoss_key_generator_tests common_tests
  split_path_tests file_size_text_tests tarvoss_lang_tests tarvoss_batch_tests tarvoss_run_texts_tests
)
# Cases that cannot work under Wine, each with the reason. Whole test files
# that need POSIX are left out of the Windows build (TARVOSS_POSIX_ONLY_TESTS
# in tests/CMakeLists.txt).
excluded=(
  # They make symbolic links, which Windows gives only with a privilege and
  # Wine not at all:
  FileTransforms.ExistingDestinationIsReplaced
  ItemProcessor.FileReachedThreeTimesInOneRunIsTransformedOnce
  # They expect the POSIX system's texts ("No such file or directory", "Is a
  # directory"); Windows says it in its own words:
  ItemProcessor.FailureIsLoggedAlwaysWithItsReasonAndBoxedOnlyWhenErrorsAreShown
  ItemProcessor.FailedDeletionGivesTheSystemsDescription
  FolderWalk.FolderThatCannotBeOpenedIsAFailedItem
  # A name with control characters, which Windows refuses in file names:
  ItemProcessor.NameWithControlCharactersStaysOneLogLine
  # It checks POSIX permission bits of the copies, which Windows keeps as one
  # read-only attribute:
  FolderWalk.CopyTreeWithDeletionMirrorsItAndEmptiesTheSource
  # It looks for the sources in the freedesktop.org trash; Windows has the
  # Recycle Bin (scripts/windows-cli-test.sh covers deletion there):
  FolderWalk.FailedFileKeepsItsFolderAndEveryFolderAbove
)
filter="-$(IFS=:; echo "${excluded[*]}")"

cmake --preset windows-cli >/dev/null
cmake --build build-windows -j "$(nproc)" --target tarvoss-cli tarvoss_data "${tests[@]}"

export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix made once and kept: making it takes most of a minute.
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
for test in "${tests[@]}"; do
  echo "Under Wine: $test"
  # Tests that keep journals point LOCALAPPDATA into folders of their own
  # from inside (Wine sets the variable itself for a process it starts).
  GTEST_FILTER="$filter" wine "build-windows/bin/$test.exe" --gtest_brief=1 \
    >"build-windows/$test.log" 2>&1 || { tail -n 80 "build-windows/$test.log"; exit 1; }
  tail -n 1 "build-windows/$test.log"
done
[ -x "$linux_cli" ] || { echo "test-windows: no Linux tarvoss-cli at $linux_cli to compare with" >&2; exit 1; }
scripts/windows-cli-test.sh "$linux_cli" build-windows/bin/tarvoss-cli.exe "$PWD/build-windows/cli-test"
wineserver -k || true
echo "Windows stage: $((SECONDS - started)) s"
