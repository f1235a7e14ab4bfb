#!/usr/bin/env bash
# Builds everything and runs the whole test suite: once in a normal build
# (engine, command line and window tests) and once with the engine and command
# line tests under AddressSanitizer and UndefinedBehaviorSanitizer; then the
# engine, command line and run-host tests under ThreadSanitizer, and each
# fuzz target for a bounded time (TARVOSS_FUZZ_SECONDS, 60 by default); then
# the Windows build under Wine (scripts/test-windows.sh) and the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVOSS_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTARVOSS_SANITIZE=ON -DTARVOSS_BUILD_GUI=OFF -DTARVOSS_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

# ThreadSanitizer: the engine, the command line and the run host that carries
# a run's reports from its worker thread to the window.
tsan_tests=(
  tarvoss_batch_tests tarvoss_run_texts_tests tarvoss_cipher_tests tarvoss_file_transform_tests
  tarvoss_key_generator_tests common_tests split_path_tests file_size_text_tests tarvoss_lang_tests
  tarvoss_cli_tests run_host_tests
)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVOSS_THREAD_SANITIZE=ON -DTARVOSS_WERROR=ON >/dev/null
cmake --build build-tsan -j "$jobs" --target tarvoss-cli tarvoss_data "${tsan_tests[@]}"
for test in "${tsan_tests[@]}"; do
  echo "ThreadSanitizer: $test"
  leaks=1
  # The recovery tests end child processes in the middle of a transform on
  # purpose, with its read-ahead thread still unjoined: not a leak of the program.
  [ "$test" = tarvoss_file_transform_tests ] && leaks=0
  # setarch -R: the checker needs the memory layout it knows, without the
  # address randomisation of newer kernels.
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 report_thread_leaks=$leaks suppressions=$PWD/tests/thread-sanitizer.supp" \
    QT_QPA_PLATFORM=offscreen setarch "$(uname -m)" -R "build-tsan/bin/$test" \
    >"build-tsan/$test.log" 2>&1 || { tail -n 100 "build-tsan/$test.log"; exit 1; }
done

# Fuzzing with libFuzzer (clang): any crash, sanitizer report, leak or hang
# fails the suite; what it found is kept as build-fuzz/<target>-crash-...
fuzz_seconds=${TARVOSS_FUZZ_SECONDS:-60}
fuzz_targets=(decrypt_fuzzer language_file_fuzzer key_argument_fuzzer journal_fuzzer)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTARVOSS_FUZZ=ON -DTARVOSS_BUILD_GUI=OFF -DTARVOSS_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target "${fuzz_targets[@]}"
for target in "${fuzz_targets[@]}"; do
  echo "Fuzzing: $target for ${fuzz_seconds}s"
  found=$(mktemp -d)
  # New inputs go to a scratch folder; the seeds in tests/fuzz stay as they are.
  if ! "build-fuzz/bin/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/$target-" "$found" "tests/fuzz/corpus/$target" >"build-fuzz/$target.log" 2>&1; then
    tail -n 60 "build-fuzz/$target.log"
    rm -rf "$found"
    exit 1
  fi
  tail -n 1 "build-fuzz/$target.log"
  rm -rf "$found"
done
# Windows: the engine's tests and tarvoss-cli.exe under Wine, against the
# Linux build of tarvoss-cli above.
scripts/test-windows.sh build/bin/tarvoss-cli
# The Debian package: a release build for /usr, packed and checked by lintian.
scripts/package.sh
