#!/usr/bin/env bash
# Pictures of the installer's states for docs/: welcome, agreement, shortcut,
# installed, failed. Runs the installer on a Wine virtual desktop (which
# draws window frames) on an X display and Wine prefix of its own under
# build/shots, walked by e2e_tests.exe --shots; stops both afterwards.
#   scripts/screenshots.sh [path/to/_setup.exe]   (default: build/windows/_setup.exe)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

installer=${1:-build/windows/_setup.exe}
if [ ! -f "$installer" ]; then
  [ -f build/windows/build.ninja ] || cmake --preset windows >/dev/null
  cmake --build build/windows --target setup
fi
[ -f build/e2e/build.ninja ] || cmake --preset windows -B build/e2e >/dev/null
cmake --build build/e2e --target e2e_tests >/dev/null
driver=build/e2e/tests/e2e/e2e_tests.exe

export SETUP_WINE_STATE=$top/build/shots
handshake=$SETUP_WINE_STATE/handshake
rm -rf "$handshake"
mkdir -p "$handshake" docs

winpath() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }

stop() { tests/wine-env.sh stop; }
trap stop EXIT
tests/wine-env.sh start
display=$(cat "$SETUP_WINE_STATE/display")

# Detached and writing to a file, so no Wine process holds our output.
setsid tests/wine-env.sh run explorer /desktop=shot,800x600 \
  "$(winpath "$driver")" --shots "$(winpath "$installer")" "$(winpath "$handshake")" \
  </dev/null >"$SETUP_WINE_STATE/shots.log" 2>&1 &

wait_file() {
  local i
  for i in $(seq 1 900); do
    [ -f "$1" ] && return 0
    [ -f "$handshake/finished" ] && return 1
    sleep 0.1
  done
  return 1
}

for state in welcome agreement shortcut installed failed; do
  if ! wait_file "$handshake/$state.ready"; then
    echo "screenshots: the installer did not reach the state $state" >&2
    cat "$SETUP_WINE_STATE/shots.log" >&2
    exit 1
  fi
  # The virtual desktop sits at the screen's top-left corner.
  import -display "$display" -window root -crop 800x600+0+0 +repage "docs/$state.png"
  echo "docs/$state.png"
  touch "$handshake/$state.done"
done

wait_file "$handshake/finished" || true
[ "$(cat "$handshake/finished" 2>/dev/null)" = ok ] || {
  echo "screenshots: the walk did not finish" >&2
  cat "$SETUP_WINE_STATE/shots.log" >&2
  exit 1
}
