#!/usr/bin/env bash
# The daily shutdown run out: PowerOff.sh BUILD
# In a copy of the build's prefix with a Wine server of its own (the power-off ends every other
# process of its prefix), the program starts with a shutdown time a few seconds ahead beside a
# sentinel program. Nobody answers the countdown: the program ends and powers off, and the
# sentinel is told the session ends.
set -uo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/../../../scripts/env.sh"
suite_use_tree "$build"
scratch=$(mktemp -d)
trap 'WINEPREFIX=$scratch/wp wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
cp -a --reflink=auto "$suite_wine/wp" "$suite_wine/home" "$scratch/"
export WINEPREFIX=$scratch/wp HOME=$scratch/home LC_ALL=$suite_locale
suite="$WINEPREFIX/drive_c/Program Files/Quorvex/Skyvault III"
logs="$WINEPREFIX/drive_c/sim/log"
[ -f "$suite/Kavex.exe" ] || { echo "no Kavex.exe in the prefix"; exit 1; }
cp "$WINEPREFIX/drive_c/sim/tools/simprog.exe" "$WINEPREFIX/drive_c/sim/tools/sentinel.exe"
rm -f "$logs"/[Ss]entinel.log
# The sentinel's log, as Wine names the file (its case may differ).
sentinel_log() { cat "$logs"/[Ss]entinel.log 2>/dev/null; }

# The sentinel first: the prefix's first process also brings its new Wine server up.
wine 'C:\sim\tools\sentinel.exe' >/dev/null 2>&1 &
for _ in $(seq 600); do sentinel_log | grep -q "S pid=" && break; sleep 0.2; done
# A time already past when the program arms its clock waits for the next day: leave the start
# (and the wizard) room on a loaded machine.
shut=$(date -d "+25 seconds" +%Y,%m,%d,%H,%M,%S)
printf '[Schedule]\r\nEnableShut=1\r\nShutTime=%s\r\n' "$shut" > "$suite/TVParam.ini"
# Nobody answers the countdown, but the set-up wizard of every start is passed with its
# defaults: the screenshot program clicks its button until the video window shows.
shooter=$(winepath -w "$build/tests/support/suite_screenshot.exe" 2>/dev/null)
wine "$shooter" "$(winepath -w "$scratch/start.png" 2>/dev/null)" --wait-window "视频窗口" --wait 60000 \
    --settle 0 --press "Kavex ----- 配置向导" 1187 'C:\windows\system32\cmd.exe' /c exit >/dev/null 2>&1 &
(cd "$suite" && timeout 150 wine Kavex.exe >/dev/null 2>&1)
result=$?
for _ in $(seq 50); do sentinel_log | grep -q "WM_ENDSESSION" && break; sleep 0.2; done
if ! sentinel_log | grep -q "M WM_ENDSESSION"; then
    echo "the sentinel was not told the session ends (program exit $result):"
    sentinel_log
    exit 1
fi
[ "$result" -ne 124 ] || { echo "the program did not end"; exit 1; }
echo "the program powered off after its countdown; the sentinel logged WM_ENDSESSION"
