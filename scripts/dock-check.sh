#!/usr/bin/env bash
# Checks the installed petrel-dock service: systemd accepts its unit and its sandbox, it
# is not enabled, the package made its user, and the unit's own command line, given the
# password as a credential, provisions the cameras plugged in under the simulator and
# ends cleanly on the SIGTERM that stops a service.
# Usage: dock-check.sh CAMERA-SIM
set -euo pipefail

camera_sim=$(realpath "$1")
unit=/lib/systemd/system/petrel-dock.service
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "dock check: $*" >&2
    exit 1
}

systemd-analyze verify "$unit" >"$work/verify" 2>&1 || true
[ ! -s "$work/verify" ] || { cat "$work/verify"; fail "systemd-analyze verify found problems in $unit"; }
# The sandbox: systemd's exposure score must stay at 2.0 or below (it is 1.2).
systemd-analyze security --offline=yes --threshold=20 "$unit" >"$work/security" 2>&1 ||
    { tail -3 "$work/security"; fail "the dock service's sandbox was loosened"; }
[ ! -e /etc/systemd/system/multi-user.target.wants/petrel-dock.service ] ||
    fail "the dock service was enabled by installing the package"
id -nG petrel-dock 2>/dev/null | grep -qw plugdev || fail "no user petrel-dock in group plugdev"

# The command exactly as systemd would run it: systemd puts the credential in a folder
# of its own and names it in ${CREDENTIALS_DIRECTORY}.
credential=$(sed -n 's/^LoadCredential=\([^:]*\):.*/\1/p' "$unit")
command=$(sed -n 's/^ExecStart=//p' "$unit")
[ -n "$credential" ] && [ -n "$command" ] || fail "no LoadCredential= or ExecStart= in $unit"
mkdir -m 0700 "$work/credentials"
printf '888888' >"$work/credentials/$credential"
command=${command//'${CREDENTIALS_DIRECTORY}'/$work/credentials}

cd "$work"
# The audit trail goes to a file here, whether a journal runs or not.
export PETREL_AUDIT_FILE=$work/audit.jsonl
# One USB camera and one camera disk, plugged in a second apart once the dock listens;
# stopped with SIGTERM after both got their line (or after 20 s).
"$camera_sim" --quiet --usb 1 --disk 1 --plug-every 1 -- sh -c "
    $command >out 2>err & dock=\$!
    for i in \$(seq 200); do [ \$(wc -l <out) -ge 2 ] && break; sleep 0.1; done
    kill -TERM \$dock 2>/dev/null; wait \$dock; echo \$? >status"
[ "$(cat status)" = 0 ] || fail "the dock ended with status $(cat status): $(cat err)"
[ "$(grep -c ': apply /etc/petrel/dock.json, sync clock: done$' out)" = 2 ] ||
    fail "the dock did not provision both cameras: $(cat out err)"
for camera in BC0000000001 BC0000000002; do
    grep -q "$camera" audit.jsonl 2>/dev/null || fail "no audit record for camera $camera"
done
echo "Dock service: unit verified, two cameras provisioned by its command line."
