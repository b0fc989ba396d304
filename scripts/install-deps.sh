#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need; does
# nothing when they are all present already.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libusb-dev libssl-dev libudev-dev nlohmann-json3-dev
    libgtest-dev libbenchmark-dev libinih-dev
    umockdev libumockdev-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev
    xvfb xauth
    clang libclang-rt-14-dev
    # The kernel tier: a QEMU guest built from Debian's kernel, busybox and udev.
    qemu-system-x86 linux-image-amd64 busybox-static libusbredirparser-dev cpio kmod xz-utils udev
    # The audit trail: the journal's client library, JSON Lines, and journald for its tests.
    libsystemd-dev nlohmann-json3-dev systemd
    # Building, installing and checking the Debian packages.
    dpkg-dev help2man librsvg2-bin desktop-file-utils man-db bash-completion
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
