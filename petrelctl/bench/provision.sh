#!/bin/sh
# Cameras provisioned per minute: `petrelctl --all apply` of a full profile (identity,
# settings block, WiFi, network, clock) on 1, 4 and 8 simulated cameras, each a fresh
# camera, timed inside camera-sim so that setting up the simulated bus is not counted.
# usage: provision.sh BUILD_BIN_DIR [RUNS]
set -eu
bin=${1:?usage: provision.sh BUILD_BIN_DIR [RUNS]}
runs=${2:-5}
profile=$(dirname "$0")/../profiles/example.json
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PETREL_PASSWORD=888888

# Median wall seconds of `runs` provisioning runs on $1 cameras.
median() {
    for run in $(seq "$runs"); do
        "$bin/camera-sim" --quiet --usb "$1" -- /bin/sh -c '
            start=$(date +%s.%N)
            "$0" --all apply "$1" >/dev/null 2>"$2/err" || { cat "$2/err" >&2; exit 1; }
            echo "$(date +%s.%N) - $start" | bc' "$bin/petrelctl" "$profile" "$work"
    done | sort -n | sed -n "$(((runs + 1) / 2))p"
}

one=$(median 1)
printf '%-8s %-10s %s\n' cameras seconds cameras/minute
for n in 1 4 8; do
    seconds=$([ "$n" = 1 ] && echo "$one" || median "$n")
    printf '%-8s %-10.3f %.0f\n' "$n" "$seconds" "$(echo "60 * $n / $seconds" | bc -l)"
    [ "$n" = 8 ] && printf 'ratio 8 cameras / 1 camera: %.2f\n' "$(echo "$seconds / $one" | bc -l)"
done
