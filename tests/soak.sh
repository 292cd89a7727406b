#!/usr/bin/env bash
# soak.sh WORKSHEET_SCRIPT SOAK_SCENARIO [STEPS]
#
# Drives the real window, on the offscreen platform, through a generated
# scenario of STEPS random user steps (10,000 unless given), and through the
# scenario's first 1,000 steps alone. Passes when both scenarios pass and the
# resident memory after the whole run is within 10% of that after the first
# 1,000 steps: the undo history is full by then and nothing else may grow.
set -euo pipefail

runner=$1
generator=$2
steps=${3:-10000}
seed=${SOAK_SEED:-20240611}
dir=$(mktemp -d /tmp/worksheet-soak.XXXXXX)
trap 'rm -rf "$dir"' EXIT

"$generator" "$seed" 1000 >"$dir/first.scn"
"$generator" "$seed" "$steps" >"$dir/all.scn"

# Runs one scenario and prints the resident memory after it, in kB.
resident_after() {
    local out=$dir/$(basename "$1" .scn).out
    if ! "$runner" --gui --report-memory "$1" >"$out" 2>&1; then
        tail -n 20 "$out" >&2
        echo "soak: the scenario $(basename "$1") failed" >&2
        return 1
    fi
    sed -n 's/^resident memory: \([0-9]*\) kB.*/\1/p' "$out"
}

start=$(date +%s)
first=$(resident_after "$dir/first.scn")
all=$(resident_after "$dir/all.scn")
echo "soak: $steps steps from seed $seed in $(($(date +%s) - start))s;" \
     "resident memory after 1000 steps ${first} kB, after $steps steps ${all} kB"
if ((all * 10 > first * 11)); then
    echo "soak: resident memory grew by more than 10% after the first 1000 steps"
    exit 1
fi
