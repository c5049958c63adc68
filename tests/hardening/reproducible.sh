#!/usr/bin/env bash
# Two clean builds of the same sources and payload, in folders of different
# names, must give byte-identical installers: no time stamps, no build paths.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
toolchain=$1
work=$2
rm -rf "$work"
for side in first second-build; do
  cmake -S "$top" -B "$work/$side" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$work/$side" --target setup >/dev/null
done
if cmp "$work/first/_setup.exe" "$work/second-build/_setup.exe"; then
  echo "identical: $(sha256sum <"$work/first/_setup.exe" | cut -c1-16)"
  rm -rf "$work"
else
  exit 1
fi
