#!/usr/bin/env bash
# Builds the whole test suite in Debug with gcc's address and undefined-
# behaviour sanitizers in build-sanitize/ and runs it under ctest. Any
# sanitizer report stops the test that made it, so the run passes only
# without reports. Leaks inside fontconfig (its caches live until exit) are
# the one thing suppressed (scripts/lsan.supp). The build also compiles every
# header under src/ on its own (tests/HeaderCheck.cmake).
# Usage: scripts/sanitize.sh [ctest arguments, e.g. -R design/]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DKARVELLO_CHECK_HEADERS=ON -DKARVELLO_TEST_TIMEOUT=1500 \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-sanitize -j"${SANITIZE_BUILD_JOBS:-2}"
scripts/start-cups.sh || echo "CUPS could not be started; tests that need a printer queue will say they are skipped."
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd build-sanitize
ctest --output-on-failure -j "${SANITIZE_TEST_JOBS:-2}" "$@"
