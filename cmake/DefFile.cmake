# suite_def_file(VAR DEF)
# Sets VAR to the module-definition file to build with. A 32-bit file names stdcall exports with
# their argument sizes ("Name@8"); 64-bit Windows has one calling convention and no such
# decoration, so a 64-bit build gets a copy without it.
function(suite_def_file var def)
    get_filename_component(def "${def}" ABSOLUTE)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(${var} "${def}" PARENT_SCOPE)
        return()
    endif()
    get_filename_component(name "${def}" NAME)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/def64/${name}")
    file(READ "${def}" text)
    string(REGEX REPLACE "([A-Za-z0-9_])@[0-9]+" "\\1" text "${text}")
    file(CONFIGURE OUTPUT "${out}" CONTENT "${text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def}")
    set(${var} "${out}" PARENT_SCOPE)
endfunction()
