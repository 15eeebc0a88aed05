#!/usr/bin/env bash
# Runs an installed ZW4410 the way a user does: from a folder of their own,
# without LD_LIBRARY_PATH, with a fresh home. Checks that it starts, finds its
# libraries through RPATH, its models and help pages in the installed share
# folder, and (when installed) that zw4410-cli lists the models.
#   run_installed.sh PREFIX SCRATCH
set -euo pipefail
prefix=$(cd "$1" && pwd)
scratch=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/home" "$scratch/work"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset LD_LIBRARY_PATH
cd "$scratch/work"

program=$prefix/bin/ZW4410
[ -x "$program" ] || fail "no program at $program"

# Every library resolves, from the private folder.
if ldd "$program" | grep -q "not found"; then
    ldd "$program" >&2
    fail "unresolved libraries"
fi
modspec=$(ldd "$program" | awk '/libmodspec32/ { print $3 }')
[ "$(readlink -f "$modspec")" = "$(readlink -f "$prefix/lib/zw4410/libmodspec32.so")" ] ||
    fail "libmodspec32 not taken from $prefix/lib/zw4410 but from '$modspec'"

version=$("$program" --version)
[ "$version" = "ZW4410 $ZW_EXPECTED_VERSION" ] || fail "--version said '$version'"

# Models from the installed folder, language from the locale (C: English).
paths=$("$program" --paths)
echo "$paths"
grep -qx "models:  $prefix/share/zw4410/models" <<<"$paths" || fail "models not from the installed folder"
grep -qx "help:    $prefix/share/zw4410/help" <<<"$paths" || fail "help folder"
grep -qx "plug-ins: $prefix/lib/zw4410/PlugIn" <<<"$paths" || fail "plug-in folder"
grep -qx "language: en" <<<"$paths" || fail "C locale should give English"
LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 "$program" --paths | grep -qx "language: ja" ||
    fail "a Japanese locale should give Japanese"

# The user's own models win over the installed ones; their marker picks English.
mkdir -p "$XDG_DATA_HOME/ZW4410/models"
cp "$prefix"/share/zw4410/models/* "$XDG_DATA_HOME/ZW4410/models/"
LC_ALL=ja_JP.UTF-8 "$program" --paths | grep -qx "models:  $XDG_DATA_HOME/ZW4410/models" ||
    fail "user model folder not taken"
touch "$XDG_DATA_HOME/ZW4410/models/8832_Eng.Env"
LC_ALL=ja_JP.UTF-8 "$program" --paths | grep -qx "language: en" || fail "marker in the user folder"
rm -rf "$XDG_DATA_HOME/ZW4410"

# A full start: the model database, USBTMC.ID and the main window, then exit.
# A failed start would wait on its message box; the timeout catches that.
timeout 60 "$program" --exit-when-shown || fail "offscreen start failed ($?)"
timeout 60 "$program" --lang=ja --exit-when-shown || fail "Japanese start failed ($?)"

# With the import host come its plug-ins, found by the installed program.
if [ -f "$prefix/lib/zw4410/libimporthost.so" ]; then
    compgen -G "$prefix/lib/zw4410/PlugIn/*.so" >/dev/null || fail "no import plug-ins installed"
    ldd "$prefix/lib/zw4410/libimporthost.so" | grep -q "not found" && fail "import host unresolved"
fi

# Help pages of every topic in both languages, and the manual page.
for stem in 8832 8832CRT 8832ELS 8832SPN 8832CAL 8832SYS; do
    for lang in E J; do
        [ -s "$prefix/share/zw4410/help/$stem$lang.html" ] || fail "help page $stem$lang.html missing"
    done
done
[ -s "$prefix/share/man/man1/ZW4410.1" ] || [ -s "$prefix/share/man/man1/ZW4410.1.gz" ] ||
    fail "manual page missing"
[ -s "$prefix/share/applications/zw4410.desktop" ] || fail "desktop file missing"
[ -s "$prefix/lib/udev/rules.d/70-zw4410-usbtmc.rules" ] || fail "udev rule missing"

if [ -x "$prefix/bin/zw4410-cli" ]; then
    "$prefix/bin/zw4410-cli" --version >/dev/null || fail "zw4410-cli --version"
    "$prefix/bin/zw4410-cli" models >"$scratch/models.txt" || fail "zw4410-cli models"
    [ -s "$scratch/models.txt" ] || fail "zw4410-cli models listed nothing"
    # A plug-in import from the installed PlugIn folder: a column of numbers.
    if compgen -G "$prefix/lib/zw4410/PlugIn/*.so" >/dev/null; then
        printf '0\n1000\n-1000\n32767\n' >"$scratch/work/column.csv"
        "$prefix/bin/zw4410-cli" convert "$scratch/work/column.csv" "$scratch/work/column.txt" ||
            fail "zw4410-cli convert through the import plug-ins"
        [ -s "$scratch/work/column.txt" ] || fail "the import wrote nothing"
    fi
fi
echo "installed tree at $prefix works"
