#!/usr/bin/env bash
# Runs the drive tests with two scratch drives on file systems of different free space:
# R: on a folder of /dev/shm (memory) and S: on a folder beside the build (the build's disk).
# The links give the drives' files; the test program enters the letters in the running Wine
# server's list of drives (which a link alone does not reach while the server runs).
# ScratchDrives.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/env.sh"
devices="$WINEPREFIX/dosdevices"
memory=$(mktemp -d /dev/shm/kavex-drive-XXXXXX)
disk=$(mktemp -d "$SUITE_BUILD/kavex-drive-XXXXXX")
cleanup() { rm -f "$devices/r:" "$devices/s:"; rm -rf "$memory" "$disk"; }
trap cleanup EXIT
ln -sfn "$memory" "$devices/r:"
ln -sfn "$disk" "$devices/s:"
KAVEX_DRIVE_R="$memory" KAVEX_DRIVE_S="$disk" "$root/scripts/wine-run" "$exe" --gtest_color=no "${@:3}"
exit $?
