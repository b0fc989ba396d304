#!/usr/bin/env bash
# The kernel tier: boots one guest with the simulated camera on its USB bus and reads
# the checks' verdicts from its serial console. Every check the program lists must
# report PASS. Exits 77 (skipped) only when QEMU cannot run here at all.
# usage: run-tier.sh WORKDIR CAMERA_REDIR GUEST_CHECKS RULES_FILE PETRELCTL
set -euo pipefail
work=$1
redir=$2
checks=$3
rules=$4
petrelctl=$5
here=$(cd "$(dirname "$0")" && pwd)
started=$(date +%s%N)
milliseconds_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

qemu=qemu-system-x86_64
if ! command -v "$qemu" > /dev/null || ! "$qemu" -accel help 2> /dev/null | grep -qx tcg; then
    echo "kernel tier skipped: $qemu with software emulation is not available" \
        "(scripts/install-deps.sh installs qemu-system-x86)" >&2
    exit 77
fi

mkdir -p "$work"
bash "$here/make-camera-disk.sh" "$work/camera-disk.img" "$work/camera-disk.sha256"
bash "$here/build-guest.sh" "$work" "$checks" "$rules" "$petrelctl" "$work/camera-disk.sha256"

socket=$work/camera.sock
console=$work/console.log
rm -f "$socket"
# The camera leaves the bus when asked for its battery level (command 0x29).
"$redir" --socket "$socket" --unplug-on 0x29 --disk-image "$work/camera-disk.img" \
    2> "$work/camera.log" &
camera=$!
trap 'kill "$camera" 2> /dev/null || true' EXIT
for _ in $(seq 100); do [ -S "$socket" ] && break; sleep 0.05; done

booted=$(date +%s%N)
# KVM is not usable on these machines: software emulation of the most capable CPU.
status=0
timeout 90 "$qemu" -accel tcg -cpu max -m 256 -nodefaults -nographic -no-reboot \
    -serial stdio -kernel "$work/vmlinux" -initrd "$work/initramfs.cpio" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" \
    -device qemu-xhci,id=xhci -chardev socket,id=camera,path="$socket" \
    -device usb-redir,chardev=camera,bus=xhci.0 > "$console" 2> "$work/qemu.log" || status=$?
boot_ms=$(milliseconds_since "$booted")
# The camera ends when QEMU hangs up; one that QEMU never reached is stopped here.
for _ in $(seq 40); do kill -0 "$camera" 2> /dev/null || break; sleep 0.05; done
kill "$camera" 2> /dev/null || true
camera_status=0
wait "$camera" || camera_status=$?

failed=0
while read -r name; do
    # A program's progress line on the console may run into the verdict's line.
    verdict=$(grep -ao "CHECK $name .*" "$console" | tr -d '\r' | head -n 1)
    case "$verdict" in
        "CHECK $name PASS") ;;
        "") echo "MISSING $name"; failed=1 ;;
        *) echo "${verdict#CHECK }"; failed=1 ;;
    esac
done < <("$checks" --list)

[ "$status" -eq 0 ] || { echo "QEMU ended with status $status"; failed=1; }
[ "$camera_status" -eq 0 ] || { echo "camera-redir ended with status $camera_status"; failed=1; }
echo "guest (uptime at init and at exit, s): $(grep -ao 'GUEST-[A-Z]* [0-9. ]*' "$console" | tr '\n' ' ')"
echo "boot and checks: ${boot_ms} ms; whole tier: $(milliseconds_since "$started") ms"
if [ "$failed" -ne 0 ]; then
    echo "--- serial console"; tr -d '\r' < "$console"
    echo "--- qemu"; cat "$work/qemu.log"
    echo "--- camera-redir"; cat "$work/camera.log"
    exit 1
fi
echo "all $("$checks" --list | wc -l) kernel checks passed"
