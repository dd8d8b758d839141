#!/usr/bin/env bash
# Takes the controls dialog's picture with scripts/screenshot: ScreenShotCheck.sh PROGRAM BUILD
# The PNG must be the dialog's size (a dialog of 300 x 196 units in the 9-point face is wider
# than 400 and taller than 300 pixels with its frame) and decode cleanly.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$2/afx_controls_dialog.png"
SUITE_BUILD=$2 "$here/../../../../scripts/screenshot" --window "控件测试" "$out" "$1" || exit 1
size=$(ffprobe -v error -show_entries stream=width,height -of csv=p=0 "$out") || exit 1
echo "picture: $out ($size)"
width=${size%,*}; height=${size#*,}
[ "$width" -gt 400 ] && [ "$height" -gt 300 ] && [ "$width" -lt 1024 ] && [ "$height" -lt 768 ]
