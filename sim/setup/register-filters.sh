#!/usr/bin/env bash
# Installs the stand-in filter modules of a build into its suite prefix:
# register-filters.sh DIR BUILD
# DIR is the folder mkprefix.sh built (DIR/wp the prefix), BUILD the build tree whose
# sim/filters/*/ hold the modules. Each goes where a user's machine has it: the maker's two
# modules into the program's "Filters" folder, the YUY2 codec into system32 with its
# system.ini entries, the others into C:\sim\filters\. All are registered but the Overlay
# Mixer (the overlay variant: tests register it in their own process). Nothing happens while
# the installed copies are this build's.
set -euo pipefail
dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
# The Wine of the tree DIR belongs to (32- or 64-bit).
source "$(dirname "$0")/../../scripts/env.sh"; suite_use_tree "$(dirname "$dir")"
export WINEDEBUG=-all
drive="$WINEPREFIX/drive_c"
suite_filters="Program Files/Quorvex/Skyvault III/Filters"
stamp="$dir/filters.stamp"

mapfile -t modules < <(find "$build/sim/filters" -mindepth 2 -maxdepth 2 -type f \( -name '*.ax' -o -name '*.dll' \) | sort)
[ ${#modules[@]} -gt 0 ] || exit 0
sum=$(cat "$0" "${modules[@]}" | md5sum | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ]; then
    exit 0
fi

# A running program may have the old copy mapped: replace a file, never rewrite it.
install_file() {
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    mv -f "$2.new" "$2"
}
wine_quiet() { env LC_ALL=zh_CN.UTF-8 wine "$@" >/dev/null 2>&1; }

add_driver() {
    local ini="$drive/windows/system.ini" line=$1
    grep -qF "$line" "$ini" 2>/dev/null && return
    if grep -q '^\[drivers32\]' "$ini" 2>/dev/null; then
        sed -i "/^\[drivers32\]/a $line" "$ini"
    else
        printf '[drivers32]\r\n%s\r\n' "$line" >> "$ini"
    fi
}

for module in "${modules[@]}"; do
    name=$(basename "$module")
    case "$name" in
    Deinterlace.ax | AVSwitch.ax)
        install_file "$module" "$drive/$suite_filters/$name"
        wine_quiet regsvr32 /s "C:\\${suite_filters//\//\\}\\$name"
        ;;
    simyuy2.dll)
        install_file "$module" "$drive/windows/system32/$name"
        add_driver "vidc.YUY2=simyuy2.dll"
        add_driver "vidc.UYVY=simyuy2.dll"
        ;;
    simovmix.ax)
        install_file "$module" "$drive/sim/filters/$name"
        ;;
    *)
        install_file "$module" "$drive/sim/filters/$name"
        wine_quiet regsvr32 /s "C:\\sim\\filters\\$name"
        ;;
    esac
done
echo "$sum" > "$stamp"
