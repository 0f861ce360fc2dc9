#!/usr/bin/env bash
# Runs one benchmark executable under the test run's Wine prefix.
# Usage: run-bench.sh <build-dir> <exe>
set -euo pipefail
build_dir=$(realpath -m "$1")
source "$(dirname "$0")/wine-env.sh"
"$WINE" "$2"
"$WINESERVER" -k >/dev/null 2>&1 || true
