#!/usr/bin/env bash
# Builds the Debian package of Karvello in build-package/ (or the folder
# named by KARVELLO_PACKAGE_BUILD_DIR), then checks its AppStream metadata
# with appstreamcli and the package with lintian, which must report no
# errors and no warnings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
builddir=${KARVELLO_PACKAGE_BUILD_DIR:-build-package}

# A new folder is optimised as the test build is and has no tests; an
# existing one (the test build, say) is packed as it is configured. Both
# have the hardening flags (KARVELLO_HARDENING, on by default).
options=()
if [ ! -f "$builddir/CMakeCache.txt" ]; then
    options+=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DBUILD_TESTING=OFF)
fi
cmake -S . -B "$builddir" -G Ninja "${options[@]}" -DKARVELLO_HARDENING=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$builddir" --target karvello karvello-tool
rm -f "$builddir"/karvello_*.deb
(cd "$builddir" && cpack -G DEB >/dev/null)
deb=$(ls "$builddir"/karvello_*.deb)
echo "Built $deb"

# The metadata as the package installs it.
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

lintian --fail-on error,warning "$deb"
echo "lintian: $(basename "$deb"): no errors, no warnings"
