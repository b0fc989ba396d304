#!/usr/bin/env bash
# Builds the guest of the kernel tier from Debian's packages: the packaged kernel
# uncompressed (QEMU boots it directly, twice as fast as the compressed image) and a
# busybox initramfs with the USB, SCSI and FAT modules, udev with the camera's rule,
# the check program and petrelctl with every shared library they load, and the host's
# sums of the files on the camera's disk.
# usage: build-guest.sh OUTDIR CHECK_PROGRAM RULES_FILE PETRELCTL DISK_SUMS
set -euo pipefail
out=$1
program=$2
rules=$3
petrelctl=$4
sums=$5
here=$(cd "$(dirname "$0")" && pwd)
export PATH=$PATH:/usr/sbin:/sbin  # modprobe, also for a user whose PATH lacks it

image=$(ls /boot/vmlinuz-* 2>/dev/null | sort -V | tail -n 1)
[ -n "$image" ] || { echo "no kernel in /boot: install linux-image-amd64" >&2; exit 1; }
release=${image#/boot/vmlinuz-}
mkdir -p "$out"

if [ ! -s "$out/vmlinux" ] || [ "$image" -nt "$out/vmlinux" ]; then
    offset=$(LC_ALL=C grep -abo $'\xfd''7zXZ' "$image" | head -n 1 | cut -d: -f1)
    # xz stops reading at the end of its stream; tail must not die of that.
    xz -dcq --single-stream < <(tail -c +$((offset + 1)) "$image") > "$out/vmlinux.part"
    mv "$out/vmlinux.part" "$out/vmlinux"
fi

root=$out/initramfs
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,run,tmp,modules,etc/udev/rules.d,opt,mnt/camera,evidence}

# A file and every shared library it loads, each at its own path.
bundle() {
    mkdir -p "$root$(dirname "$2")"
    cp -L "$1" "$root$2"
    ldd "$1" | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }' |
        while read -r library; do
            mkdir -p "$root$(dirname "$library")"
            cp -Ln "$library" "$root$library"
        done
}

cp /bin/busybox "$root/bin/busybox"
bundle /lib/systemd/systemd-udevd /lib/systemd/systemd-udevd
bundle "$program" /opt/guest-checks
# At its own path: it finds libPetrel.so beside itself, as where it is installed.
bundle "$petrelctl" "$petrelctl"
ln -s "$petrelctl" "$root/bin/petrelctl"
cp "$sums" "$root/opt/camera-disk.sha256"
cp "$rules" "$root/etc/udev/rules.d/"
printf 'root:x:0:0::/:/bin/sh\n' > "$root/etc/passwd"
printf 'root:x:0:\nplugdev:x:46:\n' > "$root/etc/group"

# vfat with the kernel's default code page and character set.
for module in xhci-pci usb-storage sd_mod sg vfat nls_cp437 nls_ascii; do
    modprobe -S "$release" --show-depends "$module"
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' | while read -r path; do
    cp "$path" "$root/modules/"
    name=$(basename "$path")
    # The disk is there at once; the default waits a second for it to settle.
    [ "$name" = usb-storage.ko ] && name="$name delay_use=0"
    echo "$name" >> "$root/modules/order"
done

install -m 755 "$here/init" "$root/init"
(cd "$root" && find . | cpio -o -H newc --quiet) > "$out/initramfs.cpio"
