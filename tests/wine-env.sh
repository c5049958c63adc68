#!/usr/bin/env bash
# A Wine prefix and an X display of the project's own, under build/wine.
#   wine-env.sh start        create the prefix if needed, start Xvfb and a
#                            persistent wine server (both detached from our
#                            output, so CTest's pipes are never held open)
#   wine-env.sh prefix       only create the prefix (for a display of the user's)
#   wine-env.sh stop         stop that wine server and that Xvfb, by PID
#   wine-env.sh run EXE ...  run a Windows program in the prefix
#   wine-env.sh do CMD ...   run another command as the one who runs Wine
#   wine-env.sh runs32       succeed when this machine runs 32-bit programs
# SETUP_WINE_STATE picks another state folder (default: build/wine), so
# separate builds do not share a display; SETUP_WINE_PREFIX picks another
# prefix name inside it (default: prefix).
# SETUP_WINE_USER: when root calls, everything runs as this unprivileged user
# (created when missing): Wine run as root writes read-only files and ignores
# permissions, so tests would pass where Windows fails. The state folder and
# the folders in SETUP_WINE_WRITABLE (colon-separated) become the user's.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
state=${SETUP_WINE_STATE:-$top/build/wine}
mkdir -p "$state"

# The user may pass through every folder above these.
reach() {
  local user=$1 dir
  shift
  for dir in "$@"; do
    while [ "$dir" != / ]; do
      if ! setpriv --reuid="$user" --regid="$user" --clear-groups test -x "$dir"; then
        echo "wine-env.sh: letting others pass through $dir (o+x) for $user" >&2
        chmod o+x "$dir"
      fi
      dir=$(dirname "$dir")
    done
  done
}

# Everything below `dir` becomes the user's; a run by root may have left
# files there, and Wine refuses a prefix that is not the caller's.
hand_over() {
  local user=$1 dir=$2
  mkdir -p "$dir"
  [ -z "$(find "$dir" ! -user "$user" -print -quit)" ] && return 0
  # Servers and a display that root started there would stay out of reach.
  if [ -f "$dir/xvfb.pid" ] && [ "$(stat -c %U "/proc/$(cat "$dir/xvfb.pid")" 2>/dev/null)" = root ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid" "$dir/display"
  fi
  # A prefix made by root has root's user folders and names its server's
  # folder in /tmp, which is root's: the user makes it again.
  local p
  for p in "$dir"/*/; do
    [ -f "$p/system.reg" ] && [ "$(stat -c %U "$p/system.reg")" = root ] || continue
    WINEPREFIX=${p%/} wineserver -k >/dev/null 2>&1 || true
    rm -rf "${p%/}"
  done
  chown -R "$user:" "$dir"
}

# Root hands everything to the test user and runs this script again as it.
drop_root() {
  [ "$(id -u)" = 0 ] || return 0
  local user=${SETUP_WINE_USER:-}
  # Stopping is for whoever started.
  if [ -z "$user" ] && [ "${1:-}" = stop ]; then
    user=$(stat -c %U "$state")
    [ "$user" = root ] && user=
  fi
  [ -n "$user" ] || return 0
  id -u "$user" >/dev/null 2>&1 ||
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$user"
  local dirs=("$state") d
  IFS=: read -r -a extra <<<"${SETUP_WINE_WRITABLE:-}"
  for d in "${extra[@]}"; do [ -n "$d" ] && dirs+=("$d"); done
  for d in "${dirs[@]}"; do hand_over "$user" "$d"; done
  reach "$user" "$top" "${dirs[@]}"
  mkdir -p "$state/home" /tmp/.X11-unix
  chown "$user:" "$state/home"
  chmod 1777 /tmp/.X11-unix
  exec setpriv --reuid="$user" --regid="$user" --init-groups \
    env -u XDG_RUNTIME_DIR HOME="$state/home" USER="$user" LOGNAME="$user" "$0" "$@"
}
drop_root "$@"
export WINEPREFIX=$state/${SETUP_WINE_PREFIX:-prefix}
export WINEARCH=win64

# 32-bit Windows programs need 32-bit Wine, whose loader starts only when the
# kernel runs 32-bit code. SETUP_WINE_NO32=1 acts as if it did not.
runs32() {
  [ -z "${SETUP_WINE_NO32:-}" ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
# Debian's `wine` starts every program through the 32-bit loader when wine32
# is installed; without a kernel to run it, 64-bit programs go straight to
# the 64-bit one.
if ! runs32; then
  mkdir -p "$state/bin64"
  for w in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$state/bin64/$w"
    chmod +x "$state/bin64/$w"
  done
  export PATH=$state/bin64:$PATH
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Starts a command in the background, in a session of its own, holding none of
# our descriptors: servers it leaves running must not keep the caller's pipes
# or locks open. `wait $!` waits for it.
detached() {
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done 2>/dev/null
    exec setsid "$@" </dev/null >/dev/null 2>&1
  ) &
}

display_up() {
  [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_display() {
  display_up && return 0
  local n
  for n in $(seq 91 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  detached Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp
  echo $! >"$state/xvfb.pid"
  echo ":$n" >"$state/display"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb :$n did not start" >&2
  return 1
}

# Wine links the user's folders to the real home directory; tests must not
# write there, so they become plain folders inside the prefix.
own_user_folders() {
  local user_dir
  for user_dir in "$WINEPREFIX"/drive_c/users/*; do
    [ "$(basename "$user_dir")" = Public ] && continue
    local f
    for f in "$user_dir"/* "$user_dir"/AppData/Roaming/Microsoft/Windows/Templates; do
      if [ -L "$f" ]; then
        rm -f "$f"
        mkdir -p "$f"
      fi
    done
  done
}

make_prefix() {
  local fresh=0
  # A prefix made before 32-bit Wine was installed cannot run 32-bit programs.
  if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    detached wineboot -i; wait $! || true
    fresh=1
  fi
  # Settings of the prefix; the stamp names their version, so an older
  # prefix gets them too.
  local stamp=$WINEPREFIX/.setup-settings-2
  if [ ! -f "$stamp" ]; then
    # Wine has neither Courier New nor Microsoft Sans Serif (the TrueType
    # face used away from 96 DPI): Courier New's metric twin and a TrueType
    # sans serif from fonts-liberation stand in under those names.
    local face
    for face in 'Courier New=Liberation Mono' 'Microsoft Sans Serif=Liberation Sans'; do
      detached wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" \
        /d "${face#*=}" /f
      wait $! || true
    done
    # Without a window manager Wine waits 2 s for one whenever a window hides.
    detached wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    wait $! || true
    touch "$stamp"
  fi
  # A new prefix's start-up programs finish first (no persistent server yet).
  [ $fresh = 0 ] || wineserver -w
  own_user_folders
}

start() {
  start_display
  export DISPLAY=$(cat "$state/display")
  make_prefix
  # A persistent server, detached from every pipe of the caller.
  detached wineserver -p; wait $! || true
  # The first program also starts the prefix's services, which would inherit
  # the caller's pipes; start them here, detached.
  detached wine cmd /c exit; wait $! || true
}

stop() {
  wineserver -k >/dev/null 2>&1 || true
  local p
  for p in "$state"/*/; do
    [ -f "$p/system.reg" ] && WINEPREFIX=${p%/} wineserver -k >/dev/null 2>&1 || true
  done
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

case "${1:-}" in
  start) start ;;
  prefix) make_prefix ;;
  stop) stop ;;
  run)
    shift
    start
    export DISPLAY=$(cat "$state/display")
    exec wine "$@"
    ;;
  do)
    shift
    exec "$@"
    ;;
  runs32) runs32 ;;
  *)
    echo "usage: $0 start|prefix|stop|run EXE [ARGS...]|do CMD [ARGS...]" >&2
    exit 2
    ;;
esac
