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
libraries=("$build/sim/libs/framewise/Framewise.dll" "$build/sim/libs/imageload/ImageLoad.dll"
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
