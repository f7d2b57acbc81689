#!/usr/bin/env bash
# Builds Nutrava and runs it; arguments go to the program (--data-dir DIR, --screen WxH).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec "${NUTRAVA_BUILD_DIR:-build}/bin/nutrava" "$@"
