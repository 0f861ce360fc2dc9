#!/usr/bin/env bash
# Runs the test suite under Wine on a private headless display.
# Usage: run-tests.sh <build-dir> [ctest arguments...]; the tests are built in
# <build-dir>/x86_64 and the Wine prefix lives in <build-dir>/wineprefix.
# Starts Xvfb with openbox (destroying windows stalls without a window manager),
# then a persistent wineserver detached from ctest's pipes (Wine's helpers would
# otherwise hold each test's output open), and stops all of them on exit.
set -euo pipefail
build_dir=$(realpath -m "$1")
shift
source "$(dirname "$0")/wine-env.sh"

run_dir="$build_dir/harness"
mkdir -p "$run_dir"
xvfb_pid=
wm_pid=

stop_all() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap stop_all EXIT

exec 3>"$run_dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$run_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$run_dir/display" ] && break
  sleep 0.1
done
[ -s "$run_dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$run_dir/display")"
openbox >"$run_dir/openbox.log" 2>&1 &
wm_pid=$!

"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" wineboot </dev/null >/dev/null 2>&1

cd "$build_dir/x86_64"
ctest --output-on-failure --timeout 120 "$@"
