#!/usr/bin/env bash
# Builds a Release configuration and writes OUTDIR/tornel_<version>_amd64.deb,
# then checks it with lintian when lintian is installed.
#   scripts/package.sh OUTDIR
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: scripts/package.sh OUTDIR" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
mkdir -p "$1"
outdir=$(cd "$1" && pwd)

scripts/install-deps.sh --package

# Debian's own hardening and optimisation flags, as dpkg-buildpackage would
# pass them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"

build=build/package
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTORNEL_TESTS=OFF -DTORNEL_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" --parallel "$jobs"
(cd "$build" && cpack -G DEB -B "$outdir/.cpack" >/dev/null)

deb=$(find "$outdir/.cpack" -maxdepth 1 -name 'tornel_*_amd64.deb' -print -quit)
mv -f "$deb" "$outdir/"
rm -rf "$outdir/.cpack"
deb="$outdir/$(basename "$deb")"
echo "package.sh: $deb"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
fi
