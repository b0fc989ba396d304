#!/usr/bin/env bash
# The camera's disk for the kernel tier: a FAT file system made on the host, holding
# recordings of several sizes (one empty) in nested folders and a log, and the host's
# SHA-256 of each file in `sha256sum -c` form, paths from the disk's root. The data is
# random on every run: only what the disk carried can match the sums.
# usage: make-camera-disk.sh IMAGE SUMS
set -euo pipefail
image=$1
sums=$2
export PATH=$PATH:/usr/sbin:/sbin  # mkfs.vfat, also for a user whose PATH lacks it
export MTOOLS_SKIP_CHECK=1 LC_ALL=C

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/DCIM/100REC/EVENT" "$tree/LOG"
head -c $((1024 * 1024 + 123)) /dev/urandom > "$tree/DCIM/100REC/REC0001.MP4"
head -c 4097 /dev/urandom > "$tree/DCIM/100REC/REC0002.MP4"
: > "$tree/DCIM/100REC/EVENT/REC0003.MP4"
printf 'recording started\nrecording stopped\n' > "$tree/LOG/EVENTS.TXT"

rm -f "$image"
mkfs.vfat -C -n CAMERA "$image" 4096 > /dev/null  # KiB: 8192 blocks
# -m keeps the files' times, which the offload copies too.
mcopy -s -m -i "$image" "$tree"/* ::
(cd "$tree" && find . -type f | sed 's|^\./||' | sort | xargs -d '\n' sha256sum) > "$sums"
