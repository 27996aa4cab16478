# Without QtSvg in the target's Qt, the SVG pictures are compiled in as PNG rendered on the build machine, at
# their own size and at whole multiples of it ("<id>@<N>x.png") for dense screens and large desktop fonts;
# the picture loader takes the smallest one that is sharp enough.
include(${CMAKE_CURRENT_LIST_DIR}/HostTool.cmake)
set(QVMD_PICTURE_SCALES 1 2 3 4)

# The renderer is a native tool: a native build with QtSvg provides it for the cross builds.
if(NOT CMAKE_CROSSCOMPILING AND TARGET Qt6::Svg)
    qvmd_host_tool(qvmd_picturerender "${PROJECT_SOURCE_DIR}/tools/picturerender.cpp" Qt6::Gui Qt6::Svg)
    set_target_properties(qvmd_picturerender PROPERTIES EXCLUDE_FROM_ALL ON)
endif()

# Pictures are named relative to resources/pictures, as "custom/116.svg".
function(qvmd_add_picture_pngs target)
    if(NOT CMAKE_CROSSCOMPILING AND NOT TARGET qvmd_picturerender)
        message(FATAL_ERROR "Rendering the pictures to PNG needs QtSvg on the build machine (qt6-svg-dev)")
    endif()
    qvmd_host_tool(qvmd_picturerender "${PROJECT_SOURCE_DIR}/tools/picturerender.cpp" Qt6::Gui Qt6::Svg)
    set(source "${PROJECT_SOURCE_DIR}/resources/pictures")
    set(out "${CMAKE_BINARY_DIR}/picture-pngs")
    set(outputs)
    set(inputs)
    foreach(picture IN LISTS ARGN)
        string(REGEX REPLACE "\\.svg$" "" stem "${picture}")
        list(APPEND inputs "${source}/${picture}")
        foreach(scale IN LISTS QVMD_PICTURE_SCALES)
            if(scale EQUAL 1)
                list(APPEND outputs "${out}/${stem}.png")
            else()
                list(APPEND outputs "${out}/${stem}@${scale}x.png")
            endif()
        endforeach()
    endforeach()
    string(REPLACE ";" "," scales "${QVMD_PICTURE_SCALES}")
    add_custom_command(OUTPUT ${outputs}
        COMMAND qvmd_picturerender "${source}" "${out}" "${scales}" ${ARGN}
        DEPENDS ${qvmd_picturerender_DEPENDS} ${inputs}
        COMMENT "Rendering the pictures to PNG"
        VERBATIM)
    qt_add_resources(${target} qvmd_picture_pngs PREFIX "/pictures" BASE "${out}" FILES ${outputs})
endfunction()
