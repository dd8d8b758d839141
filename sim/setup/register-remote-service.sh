#!/usr/bin/env bash
# Installs the remote-control service's files into a suite prefix as its installer would:
# register-remote-service.sh DIR BUILD
# The control library (the build over the Service Control Manager) and the service program go
# into the program's folder, which "RemoteService" names; the service itself is installed by
# the library when a program first asks for it. Nothing happens while the copies are this
# build's.
set -euo pipefail
dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
# The Wine of the tree DIR belongs to (32- or 64-bit).
source "$(dirname "$0")/../../scripts/env.sh"; suite_use_tree "$(dirname "$dir")"
export WINEDEBUG=-all
suite="Program Files/Quorvex/Skyvault III"
library="$build/sim/libs/ambrelink/scm/Ambrelink.dll"
program="$build/sim/programs/ostler/Ostler.exe"
stamp="$dir/remote-service.stamp"
[ -f "$library" ] && [ -f "$program" ] || exit 0
sum=$(cat "$0" "$library" "$program" | md5sum | cut -d' ' -f1)
# A test that found no folder named takes the value away again as it ends: look for it too.
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ] && grep -q '^"RemoteService"=' "$WINEPREFIX/system.reg"; then
    exit 0
fi

# A running service has its program mapped: replace a file, never rewrite it.
install_file() {
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    mv -f "$2.new" "$2"
}
install_file "$library" "$WINEPREFIX/drive_c/$suite/Ambrelink.dll"
install_file "$program" "$WINEPREFIX/drive_c/$suite/Ostler.exe"
env LC_ALL=zh_CN.UTF-8 wine reg add 'HKLM\SOFTWARE\Quorvex\Common' /v RemoteService /t REG_SZ \
    /d "C:\\${suite//\//\\}" /f >/dev/null 2>&1
echo "$sum" > "$stamp"
