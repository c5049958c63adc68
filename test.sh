#!/usr/bin/env bash
# Sets everything up, builds the host tests and both installers (the shipped
# 32-bit one and the 64-bit one) and runs every test: the full suite against
# the 32-bit build, the end-to-end installation against the 64-bit build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh

cmake --preset host
cmake --build --preset host
ctest --preset host

for preset in windows windows64; do
  cmake --preset $preset
  cmake --build --preset $preset
done

full=windows second=windows64
if ! tests/wine-env.sh runs32; then
  echo "test.sh: this machine cannot run 32-bit programs; the full suite runs against the 64-bit build, the 32-bit one is only built."
  full=windows64 second=
fi
# The Wine tests stop their own server and display; this catches an interrupt.
trap 'for s in windows windows64; do SETUP_WINE_STATE=$PWD/build/$s/wine tests/wine-env.sh stop; done' EXIT
ctest --preset $full
[ -z "$second" ] || ctest --preset $second -L e2e -R '^e2e_install$'
