# The user's manual: HTML pages with screenshots, one folder per language. The build lays it beside the
# executable (Manual/); the install rules of each system put it in their place.
set(QVMD_MANUAL_SOURCE "${PROJECT_SOURCE_DIR}/docs/manual")
file(GLOB_RECURSE QVMD_MANUAL_FILES CONFIGURE_DEPENDS "${QVMD_MANUAL_SOURCE}/*.html" "${QVMD_MANUAL_SOURCE}/*.css"
     "${QVMD_MANUAL_SOURCE}/*.png")
set(QVMD_MANUAL_STAMP "${CMAKE_BINARY_DIR}/manual.stamp")
add_custom_command(OUTPUT "${QVMD_MANUAL_STAMP}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${CMAKE_BINARY_DIR}/QV_md/Manual"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${QVMD_MANUAL_SOURCE}" "${CMAKE_BINARY_DIR}/QV_md/Manual"
    COMMAND "${CMAKE_COMMAND}" -E touch "${QVMD_MANUAL_STAMP}"
    DEPENDS ${QVMD_MANUAL_FILES}
    COMMENT "Laying out the manual beside the program"
    VERBATIM)
add_custom_target(qvmd_manual ALL DEPENDS "${QVMD_MANUAL_STAMP}")
# `make run` builds only the program; the manual comes with it.
add_dependencies(QV_md qvmd_manual)
