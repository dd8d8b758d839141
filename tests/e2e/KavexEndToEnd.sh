#!/usr/bin/env bash
# The end-to-end run of Kavex: KavexEndToEnd.sh TEST BUILD
# In a copy of the build's prefix with a Wine server of its own (the program installs and
# starts the remote-control service and the tray, and keeps its state in the prefix), on an
# Xvfb display where a Wine desktop with the X11 driver routes clicks to the windows under the
# mouse. The desktop passes no exit code on, so the test's own summary decides; then the
# recording it names is read by ffprobe and decoded by ffmpeg.
set -uo pipefail
test_program=$1
build=$(cd "$2" && pwd)
source "$(dirname "$0")/../../scripts/env.sh"
suite_use_tree "$build"
scratch=$(mktemp -d)
trap 'WINEPREFIX=$scratch/wp wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
cp -a --reflink=auto "$suite_wine/wp" "$suite_wine/home" "$scratch/"
export WINEPREFIX=$scratch/wp HOME=$scratch/home
# The copy holds the registry as the suite's Wine server last wrote it out, which it does only
# now and then: the remote-control service's folder value, which the program tests take away
# and put back, is set again as the installer sets it.
env LC_ALL="$suite_locale" wine reg add 'HKLM\SOFTWARE\Quorvex\Common' /v RemoteService /t REG_SZ \
    /d 'C:\Program Files\Quorvex\Skyvault III' /f >/dev/null 2>&1
log=$scratch/test.log
program=$(winepath -w "$test_program" 2>/dev/null)
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" \
    env LC_ALL="$suite_locale" wine explorer /desktop=e2e-$$,1024x768,x11 "$program" --gtest_color=no \
    >"$log" 2>&1
cat "$log"
grep -q '^\[  PASSED  \] 1 test' "$log" && ! grep -q '^\[  FAILED  \]' "$log" || exit 1

recording=$(sed -n 's/^recording=//p' "$log" | tr -d '\r')
recorded_ms=$(sed -n 's/^recorded_ms=//p' "$log" | tr -d '\r')
file=$(winepath -u "$recording" 2>/dev/null)
[ -s "$file" ] || { echo "no recording at $recording"; exit 1; }
streams=$(ffprobe -v error -show_entries stream=codec_type,codec_name -of csv=p=0 "$file" | sort | tr '\n' ' ')
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
echo "recording: $streams, ${duration} s over ${recorded_ms} ms between the clicks"
case "$streams" in
    *mp2,audio*mpeg1video,video*) ;;
    *) echo "the recording lacks the format's streams (VCD: MPEG-1 video and Layer II sound)"; exit 1 ;;
esac
# About the recorded seconds: not less than half of them, not more than a second beyond.
awk -v d="$duration" -v ms="$recorded_ms" 'BEGIN { exit !(d * 1000 >= ms / 2 && d * 1000 <= ms + 1000) }' \
    || { echo "the recording's length does not match the seconds recorded"; exit 1; }
errors=$(ffmpeg -v error -i "$file" -f null - 2>&1)
[ -z "$errors" ] || { echo "decoding the recording: $errors"; exit 1; }
echo "the user's run passed; the recording decodes cleanly"
