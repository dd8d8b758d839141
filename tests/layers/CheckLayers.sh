#!/usr/bin/env bash
# Fails when the product's libraries link in a circle, or when a library includes a header of a
# library it does not link, directly or below: CheckLayers.sh LAYERS_FILE (from CMakeLists.txt).
set -uo pipefail
layers=$1
[ -s "$layers" ] || { echo "no layers file $layers: configure the build first"; exit 1; }

declare -A links folder_of sources_of owner closure
libs=()
while read -r kind lib rest; do
    case $kind in
        lib) libs+=("$lib"); links[$lib]="" ;;
        link) links[$lib]+=" $rest" ;;
        src) folder_of[$lib]+=" ${rest%/*}"; sources_of[$lib]+=" $rest" ;;
    esac
done < "$layers"

failed=0
edges=$(for lib in "${libs[@]}"; do for dep in ${links[$lib]}; do echo "$lib $dep"; done; done)
if ! loop=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loop" ]; then
    echo "libraries link in a circle:"; echo "$loop"; failed=1
fi

# What each library may use: itself and everything it links, however deep.
for lib in "${libs[@]}"; do
    seen=" $lib "; todo=(${links[$lib]})
    while [ ${#todo[@]} -gt 0 ]; do
        dep=${todo[0]}; todo=("${todo[@]:1}")
        [[ $seen == *" $dep "* ]] && continue
        seen+="$dep "; todo+=(${links[$dep]})
    done
    closure[$lib]=$seen
done

# A header belongs to the library whose sources share its folder. Where several libraries share
# a folder, it belongs to those with a source of the same name (a class each program compiles
# into itself belongs to every library that does), and otherwise to none of them. A header
# whose source no library there compiles belongs to the program that does, not to a library.
declare -A libs_in_dir owned owner_of_path
for lib in "${libs[@]}"; do
    for dir in $(printf '%s\n' ${folder_of[$lib]:-} | sort -u); do
        libs_in_dir[$dir]+=" $lib"
    done
done
for dir in "${!libs_in_dir[@]}"; do
    set -- ${libs_in_dir[$dir]}
    for header in "$dir"/*.h; do
        [ -e "$header" ] || continue
        stem=${header%.h}; found=""
        if [ $# -eq 1 ]; then
            found=$1
            for source in "$stem.cpp" "$stem.c"; do
                [ -e "$source" ] && [[ " ${sources_of[$1]} " != *" $source "* ]] && found=""
            done
        else
            for lib in "$@"; do
                [[ " ${sources_of[$lib]} " == *" $stem.cpp "* || " ${sources_of[$lib]} " == *" $stem.c "* ]] && found+=" $lib"
            done
        fi
        # Headers of one name in several folders: an include by that name may mean any of them.
        [ -n "$found" ] && { owner[$(basename "$header")]+=" $found"; owner_of_path[$header]=$found; }
        for lib in $found; do owned[$lib]+=" $header"; done
    done
done

# What a library includes: in its own sources and in the headers it owns.
for lib in "${libs[@]}"; do
    files=()
    for f in ${sources_of[$lib]:-} ${owned[$lib]:-}; do
        case $f in *.c|*.cpp|*.h) files+=("$f") ;; esac
    done
    [ ${#files[@]} -gt 0 ] || continue
    while IFS=: read -r file included; do
        name=${included##*/}
        # A quoted include finds the header beside the including file first.
        beside="${file%/*}/$included"
        if [ -e "$beside" ]; then
            used=${owner_of_path[$beside]:-}
        else
            used=${owner[$name]:-}
        fi
        [ -n "$used" ] || continue
        reached=""
        for one in $used; do
            [[ ${closure[$lib]} == *" $one "* ]] && reached=1
        done
        if [ -z "$reached" ]; then
            echo "$lib does not link ${used# }, yet $file includes $name"
            failed=1
        fi
    done < <(grep -H -o '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*' -- "${files[@]}" 2>/dev/null \
             | sed 's/:[^"<]*["<]/:/')
done

[ $failed -eq 0 ] && echo "${#libs[@]} libraries, no circle, every include from a library linked below"
exit $failed
