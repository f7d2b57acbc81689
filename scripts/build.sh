#!/usr/bin/env bash
# Configures and builds into ./build (or $NUTRAVA_BUILD_DIR): everything, or the targets named
# in $NUTRAVA_BUILD_TARGETS. Arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/deps.sh"
build="${NUTRAVA_BUILD_DIR:-build}"
launcher=()
# ccache, where installed, makes rebuilds in other checkouts of the tree cheap.
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
targets=()
[ -z "${NUTRAVA_BUILD_TARGETS:-}" ] || read -ra targets <<<"--target $NUTRAVA_BUILD_TARGETS"
cmake --build "$build" "${targets[@]}"
