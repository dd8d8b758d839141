#!/usr/bin/env bash
# A save that fails part-way, as on a full disk, leaves the old file as it was. Wine reports a
# write past the process's file-size limit as a failed WriteFile, which gives that failure on
# demand. IniSaveWriteFailure.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/env.sh"

# A Wine server started by the limited process would inherit the limit: start one first (it
# stays 10 s after its last client, or is the test run's own server already).
env LC_ALL="$suite_locale" wineserver -p10 >/dev/null 2>&1

# Ignored, so that a write past the limit fails instead of ending the process.
trap '' XFSZ
ulimit -f 64
exec "$root/scripts/wine-run" "$exe" --helper SaveBeyondFileSizeLimit
