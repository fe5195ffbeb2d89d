#!/usr/bin/env bash
# Builds the Debian package of Karvello in build-package/ with Debian's
# hardening flags, then checks it with lintian (no errors, no warnings) and
# its AppStream metadata with appstreamcli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
builddir=${KARVELLO_PACKAGE_BUILD_DIR:-build-package}

# The flags Debian builds its packages with, hardening included: fortified
# C library calls, stack protector, read-only relocations bound at start-up.
# CMake reads no CPPFLAGS, so they go with the compiler flags. No debug
# information: the package is stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS | sed 's/\(^\| \)-g\( \|$\)/ /')
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$builddir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$builddir" --target karvello karvello-tool
rm -f "$builddir"/karvello_*.deb
(cd "$builddir" && cpack -G DEB >/dev/null)
deb=$(ls "$builddir"/karvello_*.deb)
echo "Built $deb"

# The metadata as installed in the package.
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

lintian --fail-on error,warning "$deb"
echo "lintian: $(basename "$deb"): no errors, no warnings"
