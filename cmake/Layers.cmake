# Checks a layer's includes whenever one of its files changes; the target builds only after the check.
function(qvmd_check_layer target layer)
    set(sources ${ARGN})
    string(REPLACE ";" "|" joined "${sources}")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layer_${layer}.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DROOT=${PROJECT_SOURCE_DIR}/src "-DSOURCES=${joined}"
                -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
        COMMENT "Checking the ${layer} layer's includes"
        VERBATIM)
    add_custom_target(${target}_layer DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer)
endfunction()
