# Country flags: scaled at build time from Debian's iso-flags-png-320x240 pictures, as named by
# resources/flags/flag-map.tsv, and compiled in as ":/pictures/flag/<country number>.png".
include(${CMAKE_CURRENT_LIST_DIR}/HostTool.cmake)
set(QVMD_FLAG_SOURCE_DIR "/usr/share/iso-flags-png-320x240" CACHE PATH "Folder of the full-size flag pictures")

function(qvmd_add_flag_resources target)
    set(map "${PROJECT_SOURCE_DIR}/resources/flags/flag-map.tsv")
    set(out "${CMAKE_BINARY_DIR}/flags")
    # A changed map re-runs the configure step, so the list of pictures below is always current.
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${map}")

    file(STRINGS "${map}" lines)
    set(outputs)
    set(sources)
    set(missing)
    foreach(line IN LISTS lines)
        if(line MATCHES "^([0-9]+)\t([^\t#]+)")
            string(STRIP "${CMAKE_MATCH_2}" picture)
            set(source "${QVMD_FLAG_SOURCE_DIR}/${picture}.png")
            if(EXISTS "${source}")
                list(APPEND outputs "${out}/${CMAKE_MATCH_1}.png")
                list(APPEND sources "${source}")
            else()
                list(APPEND missing "${CMAKE_MATCH_1}")
            endif()
        endif()
    endforeach()
    if(missing)
        list(LENGTH missing count)
        message(WARNING "${count} flag pictures not found in ${QVMD_FLAG_SOURCE_DIR} (countries ${missing}); "
                        "those countries show the logo instead (install iso-flags-png-320x240)")
    endif()
    if(NOT outputs)
        return()
    endif()
    list(REMOVE_DUPLICATES sources)

    qvmd_host_tool(qvmd_flagscale "${PROJECT_SOURCE_DIR}/tools/flagscale.cpp" Qt6::Gui)

    list(LENGTH outputs count)
    add_custom_command(OUTPUT ${outputs}
        COMMAND qvmd_flagscale "${map}" "${QVMD_FLAG_SOURCE_DIR}" "${out}"
        DEPENDS ${qvmd_flagscale_DEPENDS} "${map}" ${sources}
        COMMENT "Scaling ${count} flag pictures"
        VERBATIM)
    qt_add_resources(${target} qvmd_flags PREFIX "/pictures/flag" BASE "${out}" FILES ${outputs})
endfunction()
