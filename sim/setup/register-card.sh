#!/usr/bin/env bash
# Installs the simulated card into a suite prefix: register-card.sh DIR DLL
# DIR is the folder mkprefix.sh built (DIR/wp the prefix). The module is copied to
# C:\sim\filters\ and registered as card 0; nothing happens while the copy there is
# already this build's.
set -euo pipefail
dir=$(cd "$1" && pwd)
dll=$2
export WINEARCH=win32 WINEPREFIX="$dir/wp" HOME="$dir/home" TZ=UTC WINEDEBUG=-all
target="$WINEPREFIX/drive_c/sim/filters/sim2388x.ax"
stamp="$dir/card.stamp"
sum=$(md5sum < "$dll" | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ] && [ -f "$target" ]; then
    exit 0
fi
mkdir -p "$(dirname "$target")"
# A running program may have the old copy mapped: replace the file, never rewrite it.
cp "$dll" "$target.new"
mv -f "$target.new" "$target"
env LC_ALL=zh_CN.UTF-8 wine regsvr32 /s 'C:\sim\filters\sim2388x.ax' >/dev/null 2>&1
echo "$sum" > "$stamp"
