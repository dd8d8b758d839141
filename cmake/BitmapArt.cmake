# add_bitmap_art(TARGET RC_FILE TABLE)
# Makes the bitmaps a table lists (scripts/make-art, which describes the table) in the target's
# build folder before RC_FILE is compiled; the script finds them by their bare names.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(add_bitmap_art target rc table)
    get_filename_component(table "${table}" ABSOLUTE)
    set(outdir "${CMAKE_CURRENT_BINARY_DIR}/${target}_art")
    file(STRINGS "${table}" rows REGEX "^[ \t]*[^# \t]")
    set(files)
    foreach(row IN LISTS rows)
        string(REGEX MATCH "[^ \t]+" name "${row}")
        list(APPEND files "${outdir}/${name}")
    endforeach()
    add_custom_command(OUTPUT ${files}
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make-art "${table}" "${outdir}"
        DEPENDS "${table}" ${PROJECT_SOURCE_DIR}/scripts/make-art
        COMMENT "Making the bitmap art of ${target}")
    add_custom_target(${target}_art DEPENDS ${files})
    add_dependencies(${target} ${target}_art)
    set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS ${files})
    set_property(SOURCE "${rc}" APPEND PROPERTY INCLUDE_DIRECTORIES "${outdir}")
endfunction()
