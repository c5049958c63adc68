#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, skipping what is present.
set -euo pipefail

# The shipped installer is 32-bit: its compiler, and 32-bit Wine beside the
# 64-bit one (from the i386 architecture) to run it and its tests.
pkgs=(cmake ninja-build g++ googletest libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
      wine wine64 wine32:i386 xvfb xauth imagemagick x11-utils fonts-liberation
      clang-14 libclang-rt-14-dev osslsigncode openssl)
# The benchmark compares with NSIS and prints its table with Python.
[ "${1:-}" = bench ] && pkgs+=(nsis python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  echo "Installing: ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
