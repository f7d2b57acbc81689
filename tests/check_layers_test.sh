#!/usr/bin/env bash
# The layer check refuses a data-layer file that includes a page or a view header, and a widget
# source compiled into the data layer's folders, which would mix the layers again.
#   check_layers_test.sh PYTHON SCRIPT SRC
set -euo pipefail
python=$1 script=$2 src=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
plant() {
    rm -rf "$work/src"
    cp -r "$src" "$work/src"
    "$@"
    if "$python" "$script" "$work/src" >/dev/null; then
        echo "FAIL: the layer check passed after: $*"
        exit 1
    fi
}
for planted in pages/GridLogPage.h views/TrendContentControl.h posting/SubmitPost.h; do
    plant sed -i "1a #include \"$planted\"" "$work/src/export/CsvWriter.cpp"
done
plant sed -i '$a target_sources(views PRIVATE TrendRaster.cpp)' "$work/src/fitness/CMakeLists.txt"
plant sed -i "1a #include \"proxy/BlogStore.h\"" "$work/src/pages/PageBase.cpp"
echo "the layer check refuses upward includes and mixed folders"
