#!/bin/sh
# Fails when the program needs Qt's GUI or widget modules, directly
# (readelf's NEEDED entries) or through any library it loads (ldd).
set -eu
program=$1
readelf -d "$program" | grep -q NEEDED || { echo "no dynamic section in $program"; exit 1; }
readelf -d "$program" | grep NEEDED | grep -q 'libQt6Core' || { echo "Qt Core not linked?"; exit 1; }
if readelf -d "$program" | grep NEEDED | grep -E 'libQt6(Gui|Widgets)'; then
    echo "$program needs a GUI module"; exit 1
fi
if ldd "$program" | grep -E 'libQt6(Gui|Widgets)'; then
    echo "$program loads a GUI module through a library"; exit 1
fi
echo "$program: no Qt Gui/Widgets"
