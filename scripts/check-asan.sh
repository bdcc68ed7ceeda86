#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (GCC,
# Debug) in a build directory of its own and runs every test there, offscreen.
# Any report fails the run: undefined behaviour stops the test at once, a leak
# fails it at its end.
#
#   ASAN_BUILD   build directory (default build-asan)
#   JOBS         parallel jobs (default: number of cores)
set -uo pipefail
cd "$(dirname "$0")/.."
build="${ASAN_BUILD:-build-asan}"
jobs="${JOBS:-$(nproc)}"

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null || exit 1
cmake --build "$build" -j "$jobs" || exit 1

# Caches that fontconfig (under the toolkit's font database) and D-Bus (under
# the desktop's accessibility bridge) keep for the life of the process are no
# leaks of ours.
build=$(cd "$build" && pwd -P)
printf '%s\n' 'leak:libfontconfig.so' 'leak:libdbus-1.so' >"$build/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$build/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
