#!/usr/bin/env bash
# A save onto a full disk, through the scenario runner: on a 16 KiB file
# system holding an older plan, the save says why, the worksheet stays
# unsaved and the older plan stays byte for byte. Needs root (for the mount,
# in a mount namespace of its own); skipped elsewhere.
#
#   full_disk.sh WORKSHEET-SCRIPT [--gui]
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root"; exit 77; }
runner=$1 mode=${2:-}
keep=$(mktemp -d)
trap 'rm -rf "$keep"' EXIT
unshare --mount --propagation private bash -s "$runner" "$mode" "$keep" <<'INNER' || exit $?
set -euo pipefail
runner=$1 mode=$2 keep=$3
disk=$keep/disk
mkdir "$disk"
mount -t tmpfs -o size=16k tmpfs "$disk" || { echo "skipped: no tmpfs"; exit 77; }
"$runner" $mode /dev/stdin <<SCENARIO
pick Combo2 Recon
type Text10 2
pick Combo33 ZIL Medium Truck
save $disk/plan.cwplan
SCENARIO
cp "$disk/plan.cwplan" "$keep/older.cwplan"
head -c $((16 * 1024 - 4096 - $(stat -c %s "$keep/older.cwplan"))) /dev/zero >"$disk/filler" || true
"$runner" $mode /dev/stdin <<SCENARIO
open $disk/plan.cwplan
type Text35 Hill 402
save $disk/plan.cwplan
expect-message Save Plan: "$disk/plan.cwplan" cannot be saved: No space left on device.
expect-saved no
expect Text35 "Hill 402"
SCENARIO
cmp "$disk/plan.cwplan" "$keep/older.cwplan"
[ "$(ls "$disk")" = "$(printf 'filler\nplan.cwplan')" ] # nothing left over
umount "$disk"
INNER
