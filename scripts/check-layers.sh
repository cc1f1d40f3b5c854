#!/usr/bin/env bash
# Checks the layering of the sources: only the application shell includes the main window, no
# core file (outside a ui/ folder) includes a widget header or a ui/ header, and the common
# helpers stand below the platform seams. Prints each breach and exits 1 when there is one.
set -u
cd "$(dirname "$0")/.."
widgets_dir=$(dirname "$(find /usr/include -path '*qt6/QtWidgets/QWidget' -print -quit)")
breaches=0
breach() {
    echo "$1"
    breaches=$((breaches + 1))
}

while IFS= read -r file; do
    breach "$file includes the main window"
done < <(grep -rl '#include "app/ui/tform34.h"' src | grep -v '^src/app/')

while IFS= read -r file; do
    case "$file" in */ui/*) continue ;; esac
    while IFS= read -r header; do
        if [ -e "$widgets_dir/$header" ] || [ "$header" = qcustomplot.h ]; then
            breach "$file includes the widget header <$header>"
        fi
    done < <(grep -oP '^#include <\K[^>]+' "$file")
    if [ "${file#src/app/}" = "$file" ] && grep -q '^#include "[a-z_/]*/ui/' "$file"; then
        breach "$file includes a ui/ header"
    fi
done < <(find src -name '*.h' -o -name '*.cpp')

while IFS= read -r line; do
    breach "common depends on platform: $line"
done < <(grep -rn '^#include "platform/' src/common)

if [ "$breaches" -gt 0 ]; then
    echo "$breaches layering breaches"
    exit 1
fi
echo "layering: no breaches"
