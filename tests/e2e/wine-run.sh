#!/usr/bin/env bash
# wine-env.sh run, with Wine's background services started first by a
# detached process: services started by the tested program would inherit and
# hold its output open, and the caller (CTest, a pipe) would wait forever.
set -euo pipefail
env_sh=$(cd "$(dirname "$0")/.." && pwd)/wine-env.sh
"$env_sh" start
setsid "$env_sh" run cmd /c exit </dev/null >/dev/null 2>&1 || true
exec "$env_sh" run "$@"
