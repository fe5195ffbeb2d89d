#!/usr/bin/env bash
# Builds Karvello with its tests in build-tests/ and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
builddir=${KARVELLO_TEST_BUILD_DIR:-build-tests}
cmake -S . -B "$builddir" -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build "$builddir"
scripts/start-cups.sh || echo "CUPS could not be started; tests that need a printer queue will say they are skipped."
export QT_QPA_PLATFORM=offscreen
cd "$builddir"
ctest --output-on-failure -j "$(nproc)"
