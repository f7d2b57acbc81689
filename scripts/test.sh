#!/usr/bin/env bash
# Builds everything and runs every test suite (widget tests under the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
build="${NUTRAVA_BUILD_DIR:-build}"
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2
