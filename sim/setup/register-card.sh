#!/usr/bin/env bash
# Installs the simulated card into a suite prefix: register-card.sh DIR DLL [SIMCTL [DRIVER]]
# DIR is the folder mkprefix.sh built (DIR/wp the prefix). The module is copied to
# C:\sim\filters\ and registered as card 0, the device-I/O driver beside it, the control
# tool to C:\sim\tools\;
# nothing happens while the copies there are already this build's.
set -euo pipefail
dir=$(cd "$1" && pwd)
dll=$2
simctl=${3:-}
driver=${4:-}
# The Wine of the tree DIR belongs to (32- or 64-bit).
source "$(dirname "$0")/../../scripts/env.sh"; suite_use_tree "$(dirname "$dir")"
export WINEDEBUG=-all
target="$WINEPREFIX/drive_c/sim/filters/sim2388x.ax"
stamp="$dir/card.stamp"
sum=$(cat "$dll" ${simctl:+"$simctl"} ${driver:+"$driver"} | md5sum | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ] && [ -f "$target" ]; then
    exit 0
fi
# A running program may have the old copy mapped: replace a file, never rewrite it.
install_file() {
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    mv -f "$2.new" "$2"
}
install_file "$dll" "$target"
if [ -n "$simctl" ]; then install_file "$simctl" "$WINEPREFIX/drive_c/sim/tools/simctl.exe"; fi
if [ -n "$driver" ]; then install_file "$driver" "$WINEPREFIX/drive_c/sim/filters/simdevio.sys"; fi
env LC_ALL=zh_CN.UTF-8 wine regsvr32 /s 'C:\sim\filters\sim2388x.ax' >/dev/null 2>&1
echo "$sum" > "$stamp"
