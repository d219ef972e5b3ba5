#!/bin/sh
# Runs a test on a small file system of its own (a 256 KiB tmpfs in a private
# mount namespace), mounted as root or, for a user, inside a user namespace.
# Where neither is allowed the test runs without one, is told why, and skips.
set -u
mnt=$(mktemp -d)
trap 'rmdir "$mnt" 2>/dev/null' EXIT
mount_and_run='mount -t tmpfs -o size=256k velmora-small "$0" || exit 97
  TMPDIR="$0" VELMORA_SMALL_DISK="$0" "$@"'
probe='mount -t tmpfs -o size=256k velmora-small "$0" && umount "$0"'

if unshare --mount --propagation private sh -c "$probe" "$mnt" 2>/dev/null; then
  unshare --mount --propagation private sh -c "$mount_and_run" "$mnt" "$@"
  exit $?
fi
if unshare --user --map-root-user --mount sh -c "$probe" "$mnt" 2>/dev/null; then
  unshare --user --map-root-user --mount sh -c "$mount_and_run" "$mnt" "$@"
  exit $?
fi
VELMORA_SMALL_DISK_WHY="neither a mount namespace nor a user namespace may mount a tmpfs here" "$@"
