#!/usr/bin/env bash
# Plays the walkthrough on PROGRAM in SCREEN mode inside an X server of its own, with a session
# bus and the accessibility bus a screen reader uses. Usage: run_walkthrough.sh PROGRAM SCREEN OUT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
unset QT_LOGGING_RULES
mkdir -p "$3"
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 0.7
    PYTHONPATH="$0" /usr/bin/python3 "$0/walkthrough.py" "$@"' "$here" "$@" \
    2> >(grep -v -E "dbus-daemon|fd limit|SpiRegistry" >&2)
