#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, skipping what is present,
# and fetches libjpeg-turbo's Debian source once into build/deps.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

pkgs=(cmake ninja-build g++ googletest libgtest-dev g++-mingw-w64-x86-64
      wine wine64 xvfb xauth nasm imagemagick x11-utils fonts-liberation
      clang-14 libclang-rt-14-dev osslsigncode openssl)
# The benchmark compares with NSIS and prints its table with Python.
[ "${1:-}" = bench ] && pkgs+=(nsis python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

src_list=/etc/apt/sources.list.d/setup-deb-src.sources
need_src=0
ls "$top"/build/deps/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1 || need_src=1

if [ ${#missing[@]} -gt 0 ] || [ $need_src = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if [ $need_src = 1 ] && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && \
     ! grep -qs '^deb-src' /etc/apt/sources.list; then
    cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if [ $need_src = 1 ]; then
    mkdir -p "$top/build/deps"
    (cd "$top/build/deps" && apt-get source --download-only -qq libjpeg-turbo)
  fi
fi
