#!/usr/bin/env bash
# Runs the click track export test where its failures are real: a disk of 1 MiB of its own
# (a tmpfs mounted in a mount namespace of the test's own, gone with it) to fill, and, for
# root, without the capability that lets root write in any folder, so that a locked folder
# locks it out too. Not as root, the test runs as it is and skips the full disk.
#
#   export_room.sh TEST-PROGRAM [ARGUMENTS...]
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
disk=$(mktemp -d)
status=0
# shellcheck disable=SC2016 # the inner shell expands them
unshare --mount --propagation private sh -c '
    mount -t tmpfs -o size=1m tmpfs "$0" || exit 1
    TACTORA_SMALL_DISK=$0 exec setpriv --bounding-set -dac_override,-dac_read_search \
        --inh-caps -dac_override,-dac_read_search "$@"' "$disk" "$@" || status=$?
rmdir "$disk"
exit "$status"
