#!/usr/bin/env bash
# Sets everything up, builds both presets and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh

cmake --preset host
cmake --build --preset host
ctest --preset host

cmake --preset windows
cmake --build --preset windows
# The Wine tests stop their own server and display; this catches an interrupt.
trap 'SETUP_WINE_STATE=$PWD/build/windows/wine tests/wine-env.sh stop' EXIT
ctest --preset windows
