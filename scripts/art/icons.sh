#!/usr/bin/env bash
# Makes the desktop icon's PNG sizes from resources/icons/karvello.svg
# (needs Debian's librsvg2-bin; the PNGs are committed, the build needs none).
set -euo pipefail
cd "$(dirname "$0")/../.."
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" resources/icons/karvello.svg \
        -o "resources/desktop/icons/karvello-$size.png"
done
