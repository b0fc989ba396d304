#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for one job; does nothing when they
# are all present already.
#   install-deps.sh demo   building and running Vireo, petrelctl and the simulated camera
#   install-deps.sh test   that, and the tools of the tests (the default)
set -euo pipefail

job=${1:-test}
demo=(
    build-essential cmake pkg-config
    libusb-dev libssl-dev libudev-dev libmount-dev libsystemd-dev nlohmann-json3-dev
    umockdev libumockdev-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev
)
test=(
    "${demo[@]}"
    libgtest-dev libbenchmark-dev libinih-dev
    xvfb xauth
    clang libclang-rt-14-dev
    # The kernel tier: a QEMU guest built from Debian's kernel, busybox and udev.
    qemu-system-x86 linux-image-amd64 busybox-static libusbredirparser-dev cpio kmod xz-utils udev
    # The FAT file system the tier's camera disk carries, made on the host.
    dosfstools mtools
    # Building the Debian packages, judging them, installing and using them; journald
    # for the audit trail's tests.
    dpkg-dev debhelper help2man librsvg2-bin lintian appstream desktop-file-utils
    man-db bash-completion systemd
)
case $job in
    demo) packages=("${demo[@]}") ;;
    test) packages=("${test[@]}") ;;
    *) echo "usage: install-deps.sh [demo|test]" >&2; exit 2 ;;
esac

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
