#!/usr/bin/env bash
# The layer check refuses a core file that includes a page header or a widget header of a
# mixed folder, which it once counted as core for being reached from core.
#   check_layers_test.sh PYTHON SCRIPT SRC
set -euo pipefail
python=$1 script=$2 src=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for planted in pages/GridLogPage.h blog/ConnectionStatusDialog.h; do
    rm -rf "$work/src"
    cp -r "$src" "$work/src"
    sed -i "1a #include \"$planted\"" "$work/src/export/CsvWriter.cpp"
    if "$python" "$script" "$work/src" >/dev/null; then
        echo "FAIL: export/CsvWriter.cpp including $planted passed the layer check"
        exit 1
    fi
done
echo "the layer check refuses upward includes from core"
