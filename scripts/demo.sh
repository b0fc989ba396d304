#!/usr/bin/env bash
# Builds everything and starts Vireo against a simulated camera. Without a display
# (or with --cli) it shows the command-line path instead: the cameras found and their identity.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh demo
# Only what the demo runs: no tests, so none of their tools are needed.
cmake --preset default -DBUILD_TESTING=OFF
cmake --build --preset default --target Petrel vireo petrelctl camera_sim

bin=build/default/bin
if [ "${1:-}" != "--cli" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "Starting Vireo with a simulated USB camera and a simulated camera disk."
    echo "Passwords: General User 123456, Administrator 888888."
    exec "$bin/camera-sim" --usb 1 --disk 1 -- "$bin/vireo" "${@}"
fi

[ "${1:-}" = "--cli" ] || echo "No display: showing the command-line path (run with a display for Vireo)."
exec "$bin/camera-sim" --usb 1 --disk 1 -- sh -c "
    set -e
    echo '\$ petrelctl list';          '$bin/petrelctl' list
    echo; echo '\$ petrelctl info';    '$bin/petrelctl' info
    echo; echo '\$ petrelctl --drive D info'; '$bin/petrelctl' --drive D info"
