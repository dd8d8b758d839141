# copy_library_beside(TARGET LIBRARY)
# A program that links a library's DLL by import finds it beside itself. The copy runs whenever
# the program is built, not only after its own link, so a rebuilt library never leaves a stale
# copy.
function(copy_library_beside target library)
    add_custom_target(${target}_${library}_beside
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}>
                $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_NAME:${library}>
        DEPENDS ${library})
    add_dependencies(${target} ${target}_${library}_beside)
endfunction()
