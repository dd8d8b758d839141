#!/usr/bin/env bash
# Builds the suite's Wine prefix: mkprefix.sh DIR
# DIR/wp is the prefix (of the tree's bitness, headless, code page 936), DIR/home the scratch HOME of every
# Wine process, so nothing lands in the user's own folders.
set -euo pipefail
dir=$(mkdir -p "$1" && cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

# The tree DIR belongs to says whether its programs, and so the prefix, are 32- or 64-bit.
source "$here/../../scripts/env.sh"; suite_use_tree "$(dirname "$dir")"
export WINEDEBUG=-all
wine() { env LC_ALL=zh_CN.UTF-8 wine "$@"; }
wineboot() { env LC_ALL=zh_CN.UTF-8 wineboot "$@"; }
# Wine's loader for 32-bit programs is itself 32-bit: a kernel without the 32-bit compatibility
# mode refuses it, and wineboot would end without a word.
if [ "$suite_arch" = win32 ] && ! suite_runs_32bit; then
    echo "mkprefix: $suite_no_32bit_message, so Wine cannot make a 32-bit prefix" >&2
    exit 1
fi
stamp="$dir/prefix.stamp"
sum=$(cat "$0" "$here/prefix.reg.in" | md5sum | cut -d' ' -f1)-$suite_arch
# The simulated card, when the build has it; registered on every run (at once when unchanged).
card_dll="$(dirname "$dir")/sim/card/filters/sim2388x.ax"
card_tool="$(dirname "$dir")/sim/card/simctl/simctl.exe"
card_driver="$(dirname "$dir")/sim/card/device/simdevio.sys"
register_card() {
    if [ -f "$card_dll" ]; then "$here/register-card.sh" "$dir" "$card_dll" "$card_tool" "$card_driver"; fi
}
# The stand-in filters the build has, likewise.
register_filters() { "$here/register-filters.sh" "$dir" "$(dirname "$dir")"; }
# The remote-control service's library and program, likewise.
register_remote_service() { "$here/register-remote-service.sh" "$dir" "$(dirname "$dir")"; }
# The platform-library stand-ins the build has, beside the program.
install_libs() { "$here/install-libs.sh" "$dir" "$(dirname "$dir")"; }
# The TV program and the stand-ins of the maker's other programs, likewise.
install_programs() { "$here/install-programs.sh" "$dir" "$(dirname "$dir")"; }
# The multiplexer filter and its library, beside the program and registered.
register_gantrix() { "$here/register-gantrix.sh" "$dir" "$(dirname "$dir")"; }
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ] && [ -f "$WINEPREFIX/system.reg" ]; then
    register_card
    register_filters
    register_remote_service
    install_libs
    install_programs
    register_gantrix
    exit 0
fi
wineserver -k 2>/dev/null || true
rm -rf "$dir/wp" "$dir/home"
mkdir -p "$dir/home"

# A null ALSA device gives Wine wave-in, wave-out and mixer devices on a machine without sound.
echo 'pcm.!default { type null }' > "$dir/home/.asoundrc"

WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wineserver -w

# Debian's Wine finds no font of its own data folder in a prefix, and Wine draws the caption
# buttons with Marlett: without it a window's close button shows the letter "r".
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# regedit reads a UTF-16 file for the Chinese face names.
reg="$dir/prefix.reg"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$here/prefix.reg.in"; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
# A graphics-driver change takes effect with a fresh server.
wineserver -w

rm -f "$dir/card.stamp" "$dir/filters.stamp" "$dir/remote-service.stamp" "$dir/gantrix.stamp"
register_card
register_filters
register_remote_service
install_libs
install_programs
register_gantrix
echo "$sum" > "$stamp"
echo "mkprefix: prefix ready in $WINEPREFIX"
