#!/usr/bin/env bash
# Installs the Debian packages Karvello needs, but only those that are missing.
# Usage: scripts/deps.sh [build|test|package]
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libgl-dev libcups2-dev
    libjpeg62-turbo-dev zlib1g-dev libpng-dev libuemf-dev libqrencode-dev libqpdf-dev
    fontconfig fonts-liberation2 fonts-dejavu fonts-symbola
    xvfb xauth
)
if [ "${1:-build}" = test ]; then
    packages+=(imagemagick poppler-utils qpdf cups cups-client cups-bsd printer-driver-cups-pdf desktop-file-utils zbar-tools)
fi
if [ "${1:-build}" = package ]; then
    packages+=(dpkg-dev lintian appstream)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages; run as root or install them: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
