# The installed layout: the executable in bin/, the default data in share/qv-md/Data, and what a desktop
# needs to list the program in its menu: desktop entry, icon theme pictures, AppStream metadata, manual page.
include(GNUInstallDirs)

set(QVMD_APP_ID "org.example.qvmd")
set(QVMD_SHARE_NAME "qv-md")
set(QVMD_ICON_SIZES 16 24 32 48 64 128 256)
set(QVMD_ICON_SOURCE "${PROJECT_SOURCE_DIR}/resources/pictures/custom/116.svg")
set(QVMD_PACKAGING_OUT "${CMAKE_BINARY_DIR}/packaging")

# The PNG sizes are rendered from the emblem when installing; the tool runs on the build machine, so it is
# kept free of the sanitizer options of the build.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(qvmd_iconrender EXCLUDE_FROM_ALL "${PROJECT_SOURCE_DIR}/tools/iconrender.cpp")
set_target_properties(qvmd_iconrender PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra;-Wpedantic" LINK_OPTIONS ""
                                                 AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
target_link_libraries(qvmd_iconrender PRIVATE Qt6::Gui Qt6::Svg)

set(QVMD_ICON_PNGS)
foreach(size IN LISTS QVMD_ICON_SIZES)
    list(APPEND QVMD_ICON_PNGS "${QVMD_PACKAGING_OUT}/icons/${size}x${size}/apps/${QVMD_APP_ID}.png")
endforeach()
add_custom_command(OUTPUT ${QVMD_ICON_PNGS}
    COMMAND qvmd_iconrender "${QVMD_ICON_SOURCE}" "${QVMD_PACKAGING_OUT}/icons" "${QVMD_APP_ID}" ${QVMD_ICON_SIZES}
    DEPENDS qvmd_iconrender "${QVMD_ICON_SOURCE}"
    COMMENT "Rendering the program icon"
    VERBATIM)

configure_file("${PROJECT_SOURCE_DIR}/packaging/${QVMD_APP_ID}.metainfo.xml.in"
               "${QVMD_PACKAGING_OUT}/${QVMD_APP_ID}.metainfo.xml" @ONLY)
# The manual pages of the program and of the award manager's checker; the checker's shows the built-in
# certificate template as the program has it, escaped for roff.
file(READ "${PROJECT_SOURCE_DIR}/resources/certificate.txt" QVMD_CERTIFICATE_TEMPLATE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/certificate.txt")
string(REPLACE "\\" "\\e" QVMD_CERTIFICATE_TEMPLATE "${QVMD_CERTIFICATE_TEMPLATE}")
string(REPLACE "-" "\\-" QVMD_CERTIFICATE_TEMPLATE "${QVMD_CERTIFICATE_TEMPLATE}")
string(STRIP "${QVMD_CERTIFICATE_TEMPLATE}" QVMD_CERTIFICATE_TEMPLATE)
set(QVMD_MAN_PAGES)
foreach(page IN ITEMS QV_md qvmd-check)
    configure_file("${PROJECT_SOURCE_DIR}/packaging/${page}.1" "${QVMD_PACKAGING_OUT}/${page}.1" @ONLY)
    add_custom_command(OUTPUT "${QVMD_PACKAGING_OUT}/${page}.1.gz"
        COMMAND gzip -9nkf "${QVMD_PACKAGING_OUT}/${page}.1"
        DEPENDS "${QVMD_PACKAGING_OUT}/${page}.1"
        COMMENT "Compressing the manual page ${page}(1)"
        VERBATIM)
    list(APPEND QVMD_MAN_PAGES "${QVMD_PACKAGING_OUT}/${page}.1.gz")
endforeach()
# Made when installing, not by every build: building the program needs neither gzip nor the icon renderer.
add_custom_target(qvmd_desktop_files DEPENDS ${QVMD_ICON_PNGS} ${QVMD_MAN_PAGES})
install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\" --build \"${CMAKE_BINARY_DIR}\" --target qvmd_desktop_files
                              COMMAND_ERROR_IS_FATAL ANY)")

install(TARGETS QV_md qvmd-check RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${CMAKE_INSTALL_DATADIR}/${QVMD_SHARE_NAME}/Data"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/${QVMD_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${QVMD_PACKAGING_OUT}/${QVMD_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${QVMD_ICON_SOURCE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${QVMD_APP_ID}.svg")
foreach(size IN LISTS QVMD_ICON_SIZES)
    install(FILES "${QVMD_PACKAGING_OUT}/icons/${size}x${size}/apps/${QVMD_APP_ID}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES ${QVMD_MAN_PAGES} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(DIRECTORY "${QVMD_MANUAL_SOURCE}/" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${QVMD_SHARE_NAME}/manual"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${QVMD_SHARE_NAME}")

# Removes what the last install put down, by its manifest; the user's data folder is never in it.
add_custom_target(uninstall
    COMMAND "${CMAKE_COMMAND}" -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
            -P "${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake"
    VERBATIM)

# The Debian package: version from the project, library dependencies computed by dpkg-shlibdeps, and the
# fonts the windows and the report ask for and Qt's own Italian texts, which no library dependency brings.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${QVMD_SHARE_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "QV radio group")
set(CPACK_PACKAGE_CONTACT "QV radio group <award.manager@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logbook for the QV Marigold Day award")
# CPack puts the summary on the first line of the description and indents the rest.
set(CPACK_PACKAGE_DESCRIPTION "Registers the own station, keeps one log per station, category and year, logs
contacts from the keyboard with duplicate and own-station checks, shows the
running score, prints, mails, backs up and restores the log, and updates the
rosters. Every window is in Italian or English.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/qvmd/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, xdg-utils")
include(CPack)
