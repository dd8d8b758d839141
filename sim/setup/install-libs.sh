#!/usr/bin/env bash
# Installs the platform-library stand-ins of a build beside the program in its suite prefix:
# install-libs.sh DIR BUILD
# DIR is the folder mkprefix.sh built (DIR/wp the prefix), BUILD the build tree. Each library
# goes into the program's folder, where the program loads it from; a library the build lacks
# is left out.
set -euo pipefail
dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
suite="$dir/wp/drive_c/Program Files/Quorvex/Skyvault III"
libraries=("$build/sim/libs/dm1105/DM1105.dll" "$build/sim/libs/framewise/Framewise.dll"
           "$build/sim/libs/imageload/ImageLoad.dll"
           "$build/sim/libs/tickwell/Tickwell.dll")

# A running program may have the old copy mapped: replace a file, never rewrite it.
for library in "${libraries[@]}"; do
    [ -f "$library" ] || continue
    target="$suite/$(basename "$library")"
    cmp -s "$library" "$target" && continue
    mkdir -p "$suite"
    cp "$library" "$target.new"
    mv -f "$target.new" "$target"
done

# The program's own skins lie beside it too: the built-in skin's files, SkinSet.ini and the
# listed skins' folders under Skins.
skins="$build/ui/app/skins/program"
if [ -d "$skins" ]; then
    (cd "$skins" && find . -type f) | while read -r file; do
        target="$suite/${file#./}"
        cmp -s "$skins/$file" "$target" && continue
        mkdir -p "$(dirname "$target")"
        cp "$skins/$file" "$target.new"
        mv -f "$target.new" "$target"
    done
fi
