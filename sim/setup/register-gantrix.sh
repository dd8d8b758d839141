#!/usr/bin/env bash
# Installs the MPEG multiplexer into a suite prefix as its installer would:
# register-gantrix.sh DIR BUILD
# DIR is the folder mkprefix.sh built (DIR/wp the prefix), BUILD the build tree. Gantrix.ax and
# the library it links, brevalon.dll, go into the program's folder beside the program, and
# Gantrix.ax is registered with regsvr32. Nothing happens while the copies are this build's.
set -euo pipefail
dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
# The Wine of the tree DIR belongs to (32- or 64-bit).
source "$(dirname "$0")/../../scripts/env.sh"; suite_use_tree "$(dirname "$dir")"
export WINEDEBUG=-all
suite="Program Files/Quorvex/Skyvault III"
filter="$build/mux/Gantrix.ax"
library="$build/mux/brevalon/brevalon.dll"
stamp="$dir/gantrix.stamp"
[ -f "$filter" ] && [ -f "$library" ] || exit 0
sum=$(cat "$0" "$filter" "$library" | md5sum | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ]; then
    exit 0
fi

# A running program may have the old copy mapped: replace a file, never rewrite it.
install_file() {
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    mv -f "$2.new" "$2"
}
install_file "$library" "$WINEPREFIX/drive_c/$suite/brevalon.dll"
install_file "$filter" "$WINEPREFIX/drive_c/$suite/Gantrix.ax"
if ! env LC_ALL=zh_CN.UTF-8 wine regsvr32 /s "C:\\${suite//\//\\}\\Gantrix.ax" >/dev/null 2>&1; then
    echo "register-gantrix: regsvr32 Gantrix.ax failed" >&2
    exit 1
fi
echo "$sum" > "$stamp"
