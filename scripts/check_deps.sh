#!/usr/bin/env bash
# Fails when the configured build loaded a CMake package or a pkg-config library from /usr that
# no package deps.sh installs (or pulls in) provides: such a package was installed by hand, and a
# new machine would stop at configure. Usage: check_deps.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
cache="${1:-${NUTRAVA_BUILD_DIR:-build}}/CMakeCache.txt"
[ -f "$cache" ] || { echo "check_deps: no $cache; configure first" >&2; exit 2; }

mapfile -t wanted < <(./scripts/deps.sh --list)
# Everything those packages bring along, recommends aside (deps.sh installs without them).
declare -A provided
while read -r name; do
    provided[$name]=1
done < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
             --no-replaces --no-enhances "${wanted[@]}" 2>/dev/null | grep -v '^ ' | tr -d '<>')

status=0
owned() { # whether a package deps.sh brings provides the path
    local owners owner
    owners=$(dpkg -S "$1" 2>/dev/null | sed -n '1s/: .*//p' | tr -d ' ' | tr ',' ' ')
    for owner in $owners; do
        [ -n "${provided[${owner%%:*}]:-}" ] && return 0
    done
    echo "check_deps: $1 comes from '${owners:-no package}', which scripts/deps.sh neither installs nor pulls in" >&2
    return 1
}
# Libraries found through pkg-config.
while IFS= read -r library; do
    owned "$library" || status=1
done < <(sed -n 's/^pkgcfg_lib_[A-Za-z0-9_]*:FILEPATH=\(\/usr\/.*\)$/\1/p' "$cache" | sort -u)
while IFS= read -r dir; do
    # Only folders holding a package configuration are CMake packages.
    compgen -G "$dir/*[Cc]onfig.cmake" >/dev/null || continue
    owned "$dir" || status=1
done < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/usr\/.*\)$/\1/p' "$cache" | sort -u)
[ $status = 0 ] && echo "check_deps: every CMake package and pkg-config library the build loaded comes from scripts/deps.sh"
exit $status
