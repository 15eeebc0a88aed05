#!/usr/bin/env bash
# The desktop entry, the AppStream metadata and the MIME types pass the
# validators the desktops use.
#   validate_desktop.sh SOURCE_DIR SCRATCH
set -euo pipefail
desktop=$1/desktop
scratch=$2
desktop-file-validate "$desktop/zw4410.desktop"
appstreamcli validate --no-net "$desktop"/*.metainfo.xml
rm -rf "$scratch" && mkdir -p "$scratch/mime/packages"
cp "$desktop/zw4410-mime.xml" "$scratch/mime/packages/zw4410.xml"
cp /usr/share/mime/packages/freedesktop.org.xml "$scratch/mime/packages/"
# update-mime-database reports a malformed file but still exits 0: fail on any output.
out=$(XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>&1)
[ -z "$out" ] || { echo "$out" >&2; exit 1; }
# .wdb is ours even though an office database shares the extension.
grep -q "^60:application/x-zw4410-wave:\*\.wdb$" "$scratch/mime/globs2"
grep -q ":application/x-zw4410-pages:\*\.wfn$" "$scratch/mime/globs2"
grep -q ":application/x-zw4410-setup:\*\.ocb$" "$scratch/mime/globs2"
# The desktop entry opens every type it declares and passes the file.
grep -q "^Exec=ZW4410 %f$" "$desktop/zw4410.desktop"
for type in wave pages setup; do
    grep -q "application/x-zw4410-$type;" "$desktop/zw4410.desktop"
done
