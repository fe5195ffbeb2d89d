#!/usr/bin/env bash
# Builds an optimised karvello-bench in build-bench/ and prints its table:
# operation, card size, median and min/max of several runs, the ratio to a
# yardstick measured in the same run, and the goal.
# Usage: scripts/bench.sh [--quick] [--sizes 10,100] [--runs N] [--only GROUP]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target karvello-bench
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build-bench/karvello-bench "$@"
