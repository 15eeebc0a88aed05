#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch
# root with dpkg-deb -x and runs the unpacked program.
#   check_package.sh BUILD_DIR SCRATCH
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
(cd "$scratch/out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack"; }
arch=$(dpkg --print-architecture)
deb=$scratch/out/zw4410_${ZW_EXPECTED_VERSION}_$arch.deb
[ -f "$deb" ] || { ls "$scratch/out" >&2; fail "no $deb"; }

control=$(dpkg-deb -f "$deb")
echo "$control"
grep -q "^Depends:.*libqt6widgets6" <<<"$control" || fail "Qt not among the dependencies"
grep -q "^Depends:.*qt6-translations-l10n" <<<"$control" || fail "translations not a dependency"
postinst=$(dpkg-deb -I "$deb" postinst)
grep -q "udevadm control --reload-rules" <<<"$postinst" || fail "postinst"
contents=$(dpkg-deb -c "$deb")
grep -q "\./usr/lib/udev/rules.d/70-zw4410-usbtmc.rules$" <<<"$contents" || fail "udev rule"
grep -q "\./usr/share/mime/packages/zw4410.xml$" <<<"$contents" || fail "mime types"

dpkg-deb -x "$deb" "$scratch/root"
"$here/run_installed.sh" "$scratch/root/usr" "$scratch/run"
