#!/usr/bin/env bash
# Fails when the product's libraries link in a circle, or when a library includes a header of a
# library it does not link, directly or below: CheckLayers.sh LAYERS_FILE (from CMakeLists.txt).
set -uo pipefail
layers=$1
[ -s "$layers" ] || { echo "no layers file $layers: configure the build first"; exit 1; }

declare -A links folder_of owner closure
libs=()
while read -r kind lib rest; do
    case $kind in
        lib) libs+=("$lib"); links[$lib]="" ;;
        link) links[$lib]+=" $rest" ;;
        src) folder_of[$lib]+=" ${rest%/*}" ;;
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

# A header belongs to the library whose sources share its folder.
for lib in "${libs[@]}"; do
    for dir in $(printf '%s\n' ${folder_of[$lib]:-} | sort -u); do
        for header in "$dir"/*.h; do
            [ -e "$header" ] && owner[$(basename "$header")]=$lib
        done
    done
done

for lib in "${libs[@]}"; do
    for dir in $(printf '%s\n' ${folder_of[$lib]:-} | sort -u); do
        while IFS=: read -r file included; do
            name=${included##*/}
            used=${owner[$name]:-}
            if [ -n "$used" ] && [[ ${closure[$lib]} != *" $used "* ]]; then
                echo "$lib does not link $used, yet $file includes $name"
                failed=1
            fi
        done < <(cd "$dir" && grep -H -o '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*' -- *.h *.cpp 2>/dev/null \
                 | sed 's/:[^"<]*["<]/:/' | sed "s|^|${dir#"$PWD"/}/|")
    done
done

[ $failed -eq 0 ] && echo "${#libs[@]} libraries, no circle, every include from a library linked below"
exit $failed
