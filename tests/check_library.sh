#!/usr/bin/env bash
# Usage: check_library.sh <lib.so> <expected-exports.txt>
# Fails when the library exports a function that is not on the list, lacks one
# that is, or depends on Qt or on another of the five waveform libraries.
set -eu
lib=$1
expected=$2
actual=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TWiVDBRu]$/ {print $3}' | sort -u)
wanted=$(grep -vE '^\s*(#|$)' "$expected" | sort -u)
if [ "$actual" != "$wanted" ]; then
    echo "exports of $lib differ from $expected:"
    diff <(echo "$wanted") <(echo "$actual") || true
    exit 1
fi
self=$(basename "$lib")
bad=$(readelf -d "$lib" | awk '/NEEDED/ {gsub(/[][]/, "", $5); print $5}' |
    grep -E 'Qt|lib(sigcore32|formula32|curvefit32|docio32|modspec32)\.so' |
    grep -vx "$self" || true)
if [ -n "$bad" ]; then
    echo "$lib depends on what a library must not use: $bad"
    exit 1
fi
echo "$lib: $(echo "$actual" | wc -l) exports as listed, no forbidden dependencies"
