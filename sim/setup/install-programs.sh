#!/usr/bin/env bash
# Installs the TV program and the stand-ins of the maker's other programs into a suite prefix:
# install-programs.sh DIR BUILD
# DIR is the folder mkprefix.sh built (DIR/wp the prefix), BUILD the build tree. Each outside
# program is a copy of simprog.exe under its own name, where a user's machine has it; the TV
# program goes into its folder when the build has it, the remote-control set-up program beside
# it (where the remote-control service program lies too), and the media desktop with its skin
# folder and its copy Orbitelle.exe, the name under which the factory key map starts it.
set -euo pipefail
dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
drive="$dir/wp/drive_c"
maker="$drive/Program Files/Quorvex"
simprog="$build/sim/programs/simprog/simprog.exe"
kavex="$build/engine/app/Kavex.exe"
tandril="$build/remote-setup/Tandril.exe"
vlm="$build/media-desktop/vlm.exe"

# A running program has its file mapped: replace a file, never rewrite it.
install_file() {
    cmp -s "$1" "$2" && return
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2.new"
    mv -f "$2.new" "$2"
}

if [ -f "$simprog" ]; then
    for target in "Skyvault III/Pocketel.exe" Reelview/Reelview.exe Pictoscan/Pictoscan.exe \
                  Update/Patchwell.exe; do
        install_file "$simprog" "$maker/$target"
    done
    install_file "$simprog" "$drive/sim/tools/vlmstub.exe"
    install_file "$simprog" "$drive/sim/tools/simprog.exe"
    install_file "$simprog" "$drive/sim/tools/urlrec.exe"
fi
if [ -f "$kavex" ]; then
    install_file "$kavex" "$maker/Skyvault III/Kavex.exe"
fi
if [ -f "$tandril" ]; then
    install_file "$tandril" "$maker/Skyvault III/Tandril.exe"
fi
if [ -f "$vlm" ]; then
    install_file "$vlm" "$maker/Skyvault III/vlm.exe"
    install_file "$vlm" "$maker/Skyvault III/Orbitelle.exe"
    for picture in Main.jpg bk.jpg caption.bmp; do
        install_file "$(dirname "$vlm")/Skin/$picture" "$maker/Skyvault III/Skin/$picture"
    done
fi

# The test settings' channel list: the simulated card's stations, so that the program's first
# start shows a station. A list the program has written since is left alone.
channels="$maker/Skyvault III/TVChannel.ini"
if [ -f "$kavex" ] && [ ! -f "$channels" ]; then
    install_file "$(dirname "$0")/TVChannel.ini" "$channels"
fi
