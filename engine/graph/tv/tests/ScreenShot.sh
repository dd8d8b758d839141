#!/usr/bin/env bash
# Runs the screen-shot test on a display of its own: ScreenShot.sh PROGRAM BUILD
# An Xvfb server, and in the suite prefix a desktop of its own with the X11 driver, since the
# prefix's own desktop draws nowhere; a new name each time, as a desktop left over from an
# earlier run would still be bound to that run's display. The desktop passes no exit code on,
# so the test's own summary decides.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
SUITE_BUILD=$2 source "$here/../../../../scripts/env.sh"
program=$(winepath -w "$1" 2>/dev/null)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" \
    env LC_ALL="$suite_locale" wine explorer /desktop=tvgraph-shot-$$,1024x768,x11 "$program" --gtest_color=no \
    >"$log" 2>&1
cat "$log"
grep -q '^\[  PASSED  \] 1 test' "$log" && ! grep -q '^\[  FAILED  \]' "$log"
