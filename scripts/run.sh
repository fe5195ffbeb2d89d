#!/usr/bin/env bash
# Builds Karvello and starts it (under a virtual display when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target karvello karvello-tool
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x900x24" build/karvello "$@"
fi
exec build/karvello "$@"
