#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when any is missing (clang
# and its runtime libraries build the fuzz targets; xdotool, the accessibility bus and pyatspi
# play the walkthrough; nginx and curl put the posting proxy behind nginx). --list prints them
# instead.
set -euo pipefail
packages=(qt6-base-dev qt6-svg-dev libfontconfig-dev libmicrohttpd-dev pkgconf libgl-dev libgtest-dev libgmock-dev libbenchmark-dev cmake
          ninja-build g++ xvfb xauth imagemagick fonts-dejavu-core
          xdotool dbus-daemon dbus-session-bus-common at-spi2-core python3-pyatspi gir1.2-atspi-2.0
          python3-xlib nginx curl
          dpkg-dev desktop-file-utils appstream python3 clang libclang-rt-14-dev clang-format)
if [ "${1:-}" = --list ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
    # The tests start nginx on their own; the system's web server, which installing it starts
    # on port 80 for everyone, stays off.
    if [[ " ${missing[*]} " == *" nginx "* ]] && [ -d /run/systemd/system ]; then
        $sudo_cmd systemctl disable --now nginx
    fi
fi
