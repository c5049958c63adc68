#!/usr/bin/env bash
# Our installer against NSIS and a plain copy, under Wine, on the shipped
# payload and a generated ~400 MB one: like for like against an NSIS installer
# with the same pages, silent NSIS and the plain copy as reference rows.
# Prints a table of minima and medians and "targets met: K of N".
#   bench/run.sh [--cold] [RUNS]   RUNS timed rounds (default 7, or BENCH_RUNS)
# --cold drops the page cache before every run (root only), as for a user
# who runs a freshly downloaded installer once; it has a table of its own.
# BENCH_PRIME_MB: memory the driver touches and frees before the copying of
# the large payload starts (default 1536, 0 for none), not counted.
# BENCH_MEM_RUNS rounds with memory sampling (default 1, none with --cold),
# kept apart because sampling /proc costs CPU that would disturb the timings.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cold=
if [ "${1:-}" = --cold ]; then
  cold=1
  shift
  [ "$(id -u)" = 0 ] || { echo "--cold drops the page cache, which needs root" >&2; exit 1; }
fi
runs=${1:-${BENCH_RUNS:-7}}
mem_runs=${BENCH_MEM_RUNS:-1}
suffix=
prime_mb=${BENCH_PRIME_MB:-1536}
[ -n "$cold" ] && mem_runs=0 suffix=-cold
b=$top/build/bench
mkdir -p "$b"

"$top/scripts/deps.sh" bench
command -v makensis >/dev/null || { echo "makensis missing (Debian package nsis)" >&2; exit 1; }

# ---- payloads
small=$top/payload
large=$b/payload-large
if [ ! -f "$large/file.lst" ] || [ "$top/bench/gen_payload.py" -nt "$large/file.lst" ]; then
  echo "Generating the large payload in $large"
  rm -rf "$large"
  python3 "$top/bench/gen_payload.py" "$large"
fi

# ---- our installer, with the shipped link options
for p in small large; do
  src=$small; [ $p = large ] && src=$large
  bd=$top/build/bench-build/$p
  echo "Building our installer: $p payload"
  cmake --preset windows -B "$bd" -DSETUP_PAYLOAD_DIR="$src" >"$b/cmake-$p.log" 2>&1 ||
    { cat "$b/cmake-$p.log"; exit 1; }
  cmake --build "$bd" --target setup >>"$b/cmake-$p.log" 2>&1 || { tail -30 "$b/cmake-$p.log"; exit 1; }
  mkdir -p "$b/exe/ours-$p"
  cp "$bd/_setup.exe" "$b/exe/ours-$p/_setup.exe"
done

# ---- NSIS installers: stored and with the default compression; silent, and
# with a licence, a directory and the install page like ours (kind gui), which
# installs into the folder its directory page offers.
licence=$top/resources/agreement.txt
nsis_dir() { echo "C:\\bench-targets\\nsis-$1"; }
for p in small large; do
  src=$small; [ $p = large ] && src=$large
  for c in store zlib; do
    for k in silent gui; do
      out=$b/exe/nsis-$k-$c-$p/setup.exe
      mkdir -p "$(dirname "$out")"
      if [ ! -f "$out" ] || [ "$src/file.lst" -nt "$out" ] || [ "$top/bench/make_nsi.sh" -nt "$out" ]; then
        echo "Building the NSIS installer: $p payload, $c, $k"
        m=off; [ $c = zlib ] && m=default
        if [ $k = gui ]; then
          "$top/bench/make_nsi.sh" "$src" "$out" $m "$(nsis_dir $c)" "$licence" >"$b/nsis-$k-$c-$p.nsi"
        else
          "$top/bench/make_nsi.sh" "$src" "$out" $m >"$b/nsis-$k-$c-$p.nsi"
        fi
        makensis -V1 "$b/nsis-$k-$c-$p.nsi"
      fi
    done
  done
done

# ---- the driver and the plain copy
mkdir -p "$b/tools"
cxx="i686-w64-mingw32-g++ -std=c++17 -O2 -Wall -Wextra -static"
$cxx -I"$top" "$top/bench/bench_driver.cpp" "$top/tests/e2e/driver.cpp" -mconsole \
  -loleacc -loleaut32 -o "$b/tools/bench_driver.exe"
$cxx "$top/bench/plain_copy.cpp" -o "$b/tools/plain_copy.exe"

# ---- Wine: a prefix and a display of our own, stopped pass or fail
export SETUP_WINE_STATE=$b/wine
targets=$SETUP_WINE_STATE/prefix/drive_c/bench-targets
cleanup() {
  rm -rf "$targets"
  "$top/tests/wine-env.sh" stop || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
"$top/tests/wine-env.sh" start
export WINEPREFIX=$SETUP_WINE_STATE/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=$(cat "$SETUP_WINE_STATE/display")
# Xvfb has no window manager: Wine would wait 2 s for one at every hidden
# managed window (the agreement dialog closing), which is no cost of ours.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

winpath() { echo "Z:${1//\//\\}"; }
driver=$b/tools/bench_driver.exe
results=$b/results.txt
: >"$results"

# run LABEL PAYLOAD WARM ARGS...: one driver run, its figures appended as
# "label payload key value". WARM: the files the program reads (its own,
# the plain copy's payload folder), space-separated.
run() {
  local label=$1 p=$2 warm=$3; shift 3
  local out
  rm -rf "$targets"
  mkdir -p "$targets"
  # The previous run's writes reach the disk first, so no run pays for the
  # write-back of the one before it.
  sync
  [ -z "$cold" ] || echo 3 >/proc/sys/vm/drop_caches
  # This machine also takes back the cache of files left unread for a while:
  # our 384 MB installer, read 50 s earlier in the round before, had gone
  # from the cache when its turn came again, and our copy phase read the
  # payload from the disk (0.55 to 0.59 s against 0.12 to 0.14 s cached),
  # while NSIS read its file in its start-up. A warm run is warm for every
  # program: its files are read just before it starts.
  if [ -z "$cold" ]; then
    local f
    for f in $warm; do find "$f" -type f -exec cat {} + >/dev/null; done
  fi
  if ! out=$(wine "$driver" "$@" 2>>"$b/driver.err" | tr -d '\r'); then
    echo "FAILED: $label $p: $(echo "$out" | grep '^error=' || true)" >&2
    echo "$label $p failed 1" >>"$results"
    return 0
  fi
  echo "$out" | grep -E '^[a-z_]+=' | sed "s/^\([a-z_]*\)=/$label $p \1 /" >>"$results"
}

# round N [--mem]: each program once per payload, alternating; round N
# starts with the program N places further down the list, so that over six
# rounds every program has had every place (a run's speed depends on what
# ran just before it).
round() {
  local n=$1 mem=${2:-} p src i
  local t='C:\bench-targets\t'
  for p in small large; do
    src=$small; [ $p = large ] && src=$large
    local runs=(
      "ours|ours $b/exe/ours-$p/_setup.exe|${t}1|$(winpath "$src/file.lst")"
      "nsisgui-store|nsisgui $b/exe/nsis-gui-store-$p/setup.exe|$(nsis_dir store)"
      "copy|copy $b/tools/plain_copy.exe|$(winpath "$src")|${t}3"
      "nsis-store|nsis $b/exe/nsis-silent-store-$p/setup.exe|${t}2"
      "nsisgui-zlib|nsisgui $b/exe/nsis-gui-zlib-$p/setup.exe|$(nsis_dir zlib)"
      "nsis-zlib|nsis $b/exe/nsis-silent-zlib-$p/setup.exe|${t}5"
    )
    for i in "${!runs[@]}"; do
      local entry=${runs[$(((i + n) % ${#runs[@]}))]} args
      IFS='|' read -r -a args <<<"$entry"
      local label=${args[0]} mode=${args[1]%% *} exe=${args[1]#* } warm
      warm=$exe; [ "$mode" != copy ] || warm="$exe $src"
      # The memory freed before a large copying: see the driver's --prime.
      local prime=()
      [ "$p" != large ] || [ "$prime_mb" = 0 ] || prime=(--prime "$prime_mb")
      run "$label" "$p" "$warm" $mem "${prime[@]}" "$mode" "$(winpath "$exe")" "${args[@]:2}"
    done
  done
}

echo "Warm-up round (not counted)"
round 0 >/dev/null
: >"$results"
for r in $(seq 1 "$runs"); do
  echo "Timed round $r of $runs"
  round "$r"
done
mv "$results" "$b/results-time$suffix.txt"
: >"$results"
for r in $(seq 1 "$mem_runs"); do
  echo "Memory round $r of $mem_runs"
  round "$r" --mem
done
mv "$results" "$b/results-mem$suffix.txt"

# Sizes: installer, and its payload (every file of file.lst).
sizes=$b/sizes.txt
: >"$sizes"
for p in small large; do
  src=$small; [ $p = large ] && src=$large
  payload_bytes=$(sed -e 's/\r$//' "$src/file.lst" | sed '$d' | tr '\\' / |
                  while IFS= read -r n; do stat -c %s "$src/$n"; done | awk '{s += $1} END {print s}')
  for v in ours nsis-gui-store nsis-gui-zlib; do
    f=$b/exe/$v-$p/_setup.exe; [ -f "$f" ] || f=$b/exe/$v-$p/setup.exe
    echo "$v $p $(stat -c %s "$f") $payload_bytes" >>"$sizes"
  done
done
# The stub: our installer built with an empty payload (a version line only).
empty=$b/payload-empty
mkdir -p "$empty"
printf '0.0.0\r\n' >"$empty/file.lst"
bd=$top/build/bench-build/empty
cmake --preset windows -B "$bd" -DSETUP_PAYLOAD_DIR="$empty" >"$b/cmake-empty.log" 2>&1 &&
  cmake --build "$bd" --target setup >>"$b/cmake-empty.log" 2>&1 || { tail -30 "$b/cmake-empty.log"; exit 1; }
echo "ours empty $(stat -c %s "$bd/_setup.exe") 0" >>"$sizes"

python3 "$top/bench/report.py" "$b/results-time$suffix.txt" "$b/results-mem$suffix.txt" "$sizes" "$runs" \
  "${cold:+cold}"
