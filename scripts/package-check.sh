#!/usr/bin/env bash
# Builds the Debian packages with debhelper from a copy of this tree, judges them with
# lintian, appstreamcli and desktop-file-validate, installs them as an administrator
# would (apt-get resolves their dependencies), uses what they installed, and purges
# them again, checking that nothing they installed is left behind.
# Needs the release build (build/default) for the simulated camera.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$PWD/build/default
deb=$PWD/build/deb
packages=(libpetrel1 libpetrel-dev petrel-udev petrelctl vireo)
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
work=$(mktemp -d)

fail() {
    echo "package check: $*" >&2
    exit 1
}

# Quiet unless it fails.
logged() {
    "$@" >"$work/log" 2>&1 || { cat "$work/log"; fail "$* failed"; }
}

purge() {
    "${as_root[@]}" rm -f /usr/share/vireo/xx.ini
    logged "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y "${packages[@]}"
}

cleanup() {
    dpkg-query -W -f='${Status}\n' vireo 2>/dev/null | grep -q installed && purge
    rm -rf "$work"
}
trap cleanup EXIT

# Runs the installed Vireo without a display for a few seconds; it must still be running.
run_vireo() {
    local status=0
    XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen timeout 4 /usr/bin/vireo "$@" || status=$?
    [ "$status" -eq 124 ] || fail "vireo $* ended with status $status before its time was up"
}

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

# --- Build: dpkg-buildpackage writes next to the source folder, so it gets a copy of
# the tree inside build/deb. CMAKE_*_COMPILER_LAUNCHER (ccache) passes through; debhelper
# gives the build a HOME of its own, so ccache is told where its cache really is.
if [ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}${CMAKE_C_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
    CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
    export CCACHE_DIR
fi
rm -rf "$deb"
mkdir -p "$deb/src"
tar --exclude=./build --exclude=./.git -cf - . | tar -C "$deb/src" -xf -
(cd "$deb/src" && logged dpkg-buildpackage -b -us -uc -J"$(nproc)")
changes=$deb/vireo-petrel_${version}_$arch.changes
built=$SECONDS

# --- Judge: lintian errors and warnings fail; so do the info tags for what these
# packages promise (hardening, the symbols file). The other info tags are listed.
status=0
lintian --fail-on error,warning -EIL +pedantic "$changes" >"$work/lintian" 2>&1 || status=$?
grep -v '^N:' "$work/lintian" | grep -v 'running with root privileges' || true
[ "$status" -eq 0 ] || fail "lintian found errors or warnings"
! grep -E '^I: .*(hardening-|no-symbols-control-file)' "$work/lintian" ||
    fail "lintian: the packages lack a promised hardening or the symbols file"
for package in libpetrel1 petrelctl vireo; do
    [ -f "$deb/${package}-dbgsym_${version}_$arch.deb" ] || fail "no debug symbols package for $package"
done

# --- Install and use.
debs=()
for package in "${packages[@]}"; do debs+=("$deb/${package}_${version}_"*.deb); done
logged "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    "${debs[@]}"

for package in "${packages[@]}"; do
    grep -q '^License: MIT' "/usr/share/doc/$package/copyright" ||
        fail "$package: no copyright file naming the MIT licence"
    [ -f "/usr/share/doc/$package/changelog.gz" ] || fail "$package: no changelog"
done
[ -f "/usr/lib/$multiarch/libPetrel.so.1" ] || fail "libPetrel.so.1 is not in /usr/lib/$multiarch"
for program in petrelctl vireo; do
    [ "$("/usr/bin/$program" --version)" = "$program $version" ] ||
        fail "$program --version does not say $version: $("/usr/bin/$program" --version)"
done
logged appstreamcli validate --no-net /usr/share/metainfo/org.vireo_petrel.*.metainfo.xml
release=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' \
    /usr/share/metainfo/org.vireo_petrel.Vireo.metainfo.xml | head -1)
[ "$release" = "$version $(date -u -d "$(dpkg-parsechangelog -S Date)" +%F)" ] ||
    fail "the newest AppStream release ($release) is not the changelog's $version"
logged desktop-file-validate /usr/share/applications/org.vireo_petrel.Vireo.desktop

/usr/bin/petrelctl --help >/dev/null
man -w petrelctl >/dev/null && man -w vireo >/dev/null
flags=$(pkg-config --cflags --libs petrel)
cc -std=c11 -Wall -Wextra -Werror -pedantic-errors device_library/examples/standard_interface_example.c \
    $flags -o "$work/example"
"$build/bin/camera-sim" --quiet -- "$work/example" | grep -q '^battery: *87%' ||
    fail "the example built against petrel.pc did not read the simulated camera"
"$build/bin/camera-sim" --quiet --usb 2 -- /usr/bin/petrelctl list | grep -q SN0000000002 ||
    fail "petrelctl list did not list the simulated cameras"

completions=$(bash -c 'source /usr/share/bash-completion/bash_completion
    COMP_WORDS=(petrelctl settings set videoR); COMP_CWORD=3
    COMP_LINE="petrelctl settings set videoR"; COMP_POINT=${#COMP_LINE}
    _completion_loader petrelctl; _petrelctl petrelctl videoR set; echo "${COMPREPLY[*]}"' 2>/dev/null)
[ "$completions" = "videoResolution=" ] || fail "bash completion offered '$completions'"

bash scripts/dock-check.sh "$build/bin/camera-sim"

# Vireo loads the library from its own folder, through a link to the installed one.
libdir=$(pkg-config --variable=libdir petrel)
[ "$(readlink -f "$libdir/vireo/libPetrel.so")" = "$(readlink -f "$libdir/libPetrel.so.1")" ] ||
    fail "$libdir/vireo/libPetrel.so does not lead to the installed library"
run_vireo
# The locale finds installed translations; one that cannot be read is named and left
# alone, and a read-only one never gets the texts it lacks.
"${as_root[@]}" mkfifo /usr/share/vireo/xx.ini
LANG=xx_YY.UTF-8 run_vireo 2>"$work/stderr"
grep -q '^vireo: /usr/share/vireo/xx.ini: cannot be read' "$work/stderr" ||
    fail "a pipe as the locale's translation was not reported: $(cat "$work/stderr")"
"${as_root[@]}" rm /usr/share/vireo/xx.ini
printf '[LoginDlg]\nBtnLogin=Xx\n' | "${as_root[@]}" tee /usr/share/vireo/xx.ini >/dev/null
LANG=xx_YY.UTF-8 run_vireo
[ "$(cat /usr/share/vireo/xx.ini)" = "$(printf '[LoginDlg]\nBtnLogin=Xx')" ] ||
    fail "vireo wrote into an installed translation"
LANG=de_DE.UTF-8 run_vireo

# --- Purge: nothing the packages installed may stay.
for package in "${packages[@]}"; do dpkg -L "$package"; done | sort -u >"$work/installed"
purge
while read -r path; do
    [ "$path" != /. ] || continue
    [ -e "$path" ] || [ -L "$path" ] || continue
    # A folder stays when another package owns it too.
    [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
    fail "$path is left after purging the packages"
done <"$work/installed"
echo "Packages built ($built s), judged, installed, used and removed ($SECONDS s in all): ${packages[*]}"
