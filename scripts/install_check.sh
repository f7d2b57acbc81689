#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the installed tree, runs the installed
# program headless until it has written user.pdb in a temporary XDG data home, then builds the
# Debian package and lists it. Usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/nutrava lib/nutrava/libnutrava_network.so share/nutrava/food_data.pdb share/nutrava/fitness_data.pdb \
         share/nutrava/tips.pdb share/nutrava/text.pdb \
         share/applications/net.nutrava.Nutrava.desktop share/metainfo/net.nutrava.Nutrava.metainfo.xml \
         share/icons/hicolor/scalable/apps/net.nutrava.Nutrava.svg \
         share/icons/hicolor/48x48/apps/net.nutrava.Nutrava.png; do
    [ -e "$prefix/$f" ] || { echo "missing from the installed tree: $f"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/net.nutrava.Nutrava.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/net.nutrava.Nutrava.metainfo.xml" >/dev/null

# --version and --help need no display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/nutrava" --version | grep -q '^nutrava 1\.55'
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/home" XDG_DATA_HOME="$work/data" \
    "$prefix/bin/nutrava" --help | grep -q "Data folder: $work/data/nutrava"

# The installed program finds its reference databases in share/nutrava and keeps user.pdb in
# the per-user data folder; SIGTERM ends it as a desktop session would.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=offscreen "$prefix/bin/nutrava" &
pid=$!
for _ in $(seq 1 300); do
    [ -s "$work/data/nutrava/user.pdb" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" || true
[ -s "$work/data/nutrava/user.pdb" ] || { echo "the installed program wrote no user.pdb"; exit 1; }
[ "$(stat -c %a "$work/data/nutrava")" = 700 ] || { echo "the data folder is not owner-only"; exit 1; }

# The Debian package, from the same rules.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/*.deb)
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
dpkg-deb --contents "$deb" | awk '{print $6}'
echo "installed tree and package: ok"
