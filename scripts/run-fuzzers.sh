#!/usr/bin/env bash
# Runs every fuzz_* program in a folder for a bounded time, two at a time.
# Seeds come from fuzz/corpus/<name without fuzz_>/ when that folder exists;
# what a run finds is left in a crash-* file and fails the script.
#   scripts/run-fuzzers.sh <bin-folder> <seconds>
set -euo pipefail
bindir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
targets=("$bindir"/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $bindir"
    exit 0
fi

run_one() {
    local exe=$1 seconds=$2 root=$3 work=$4
    local name
    name=$(basename "$exe")
    local corpus="$work/$name"
    mkdir -p "$corpus"
    local seeds=("$root/fuzz/corpus/${name#fuzz_}")
    [ -d "${seeds[0]}" ] || seeds=()
    if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$name-" -print_final_stats=1 \
        "$corpus" "${seeds[@]}" >"$work/$name.log" 2>&1; then
        echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$') runs, no finding"
    else
        echo "$name: FAILED"
        tail -n 60 "$work/$name.log"
        cp "$work/$name"-* "$root/" 2>/dev/null || true
        return 1
    fi
}
export -f run_one
printf '%s\n' "${targets[@]}" |
    xargs -P 2 -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$root" "$work"
