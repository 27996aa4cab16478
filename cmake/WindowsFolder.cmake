# The portable Windows folder: `cmake --install` into an empty folder lays out the program beside its Data,
# Logs and Backup folders, with the Qt and MinGW libraries, the plugins it loads and Qt's Italian texts, so
# that the folder runs as it is on any 64-bit Windows.
set(QVMD_QT_PLUGINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
set(QVMD_QT_TRANSLATIONS_SOURCE "/usr/share/qt6/translations" CACHE PATH
    "Qt's translations on the build machine (qt6-translations-l10n); the .qm files serve every system")

# The program's icon (every size in one .ico, for Explorer, the taskbar and the Start menu) and its
# version, compiled into QV_md.exe; the installer takes the same icon.
include(${CMAKE_CURRENT_LIST_DIR}/HostTool.cmake)
qvmd_host_tool(qvmd_iconrender "${PROJECT_SOURCE_DIR}/tools/iconrender.cpp" Qt6::Gui Qt6::Svg)
set(QVMD_WINDOWS_ICON "${CMAKE_BINARY_DIR}/packaging/QV_md.ico")
add_custom_command(OUTPUT "${QVMD_WINDOWS_ICON}"
    COMMAND qvmd_iconrender "${PROJECT_SOURCE_DIR}/resources/pictures/custom/116.svg" --ico "${QVMD_WINDOWS_ICON}"
            16 20 24 32 40 48 64 128 256
    DEPENDS ${qvmd_iconrender_DEPENDS} "${PROJECT_SOURCE_DIR}/resources/pictures/custom/116.svg"
    COMMENT "Rendering the Windows icon"
    VERBATIM)
enable_language(RC)
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/QV_md.rc.in" "${CMAKE_BINARY_DIR}/packaging/QV_md.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/packaging/QV_md.rc" PROPERTIES OBJECT_DEPENDS "${QVMD_WINDOWS_ICON}")
add_custom_target(qvmd_windows_icon DEPENDS "${QVMD_WINDOWS_ICON}")
add_dependencies(QV_md qvmd_windows_icon)
target_sources(QV_md PRIVATE "${CMAKE_BINARY_DIR}/packaging/QV_md.rc")

install(TARGETS QV_md qvmd-check RUNTIME DESTINATION .)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION Data)
install(DIRECTORY DESTINATION Logs)
install(DIRECTORY DESTINATION Backup)
install(DIRECTORY "${QVMD_MANUAL_SOURCE}/" DESTINATION Manual)

# Qt looks for its plugins and translations where this file says, relative to the program's folder.
file(WRITE "${CMAKE_BINARY_DIR}/qt.conf" "[Paths]\nPrefix=.\nPlugins=plugins\nTranslations=translations\n")
install(FILES "${CMAKE_BINARY_DIR}/qt.conf" DESTINATION .)

foreach(module IN ITEMS Core Gui Widgets Network PrintSupport)
    install(FILES "$<TARGET_FILE:Qt6::${module}>" DESTINATION .)
endforeach()
# Platform, styles, pictures, TLS over Schannel, and the network's reachability.
foreach(plugin IN ITEMS platforms/qwindows styles/qwindowsvistastyle imageformats/qgif imageformats/qico
                        imageformats/qjpeg tls/qschannelbackend tls/qcertonlybackend
                        networkinformation/qnetworklistmanager)
    get_filename_component(folder "${plugin}" DIRECTORY)
    if(EXISTS "${QVMD_QT_PLUGINS}/${plugin}.dll")
        install(FILES "${QVMD_QT_PLUGINS}/${plugin}.dll" DESTINATION "plugins/${folder}")
    elseif(NOT plugin MATCHES "^(networkinformation|tls/qcertonly)")
        message(FATAL_ERROR "Qt plugin ${plugin}.dll not found in ${QVMD_QT_PLUGINS}")
    endif()
endforeach()

# The compiler's own runtime libraries.
foreach(library IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${library}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW runtime library ${library} was not found")
    endif()
    install(FILES "${path}" DESTINATION .)
endforeach()

foreach(catalogue IN ITEMS qt_it qtbase_it)
    if(NOT EXISTS "${QVMD_QT_TRANSLATIONS_SOURCE}/${catalogue}.qm")
        message(FATAL_ERROR "${catalogue}.qm not found in ${QVMD_QT_TRANSLATIONS_SOURCE} (qt6-translations-l10n)")
    endif()
    install(FILES "${QVMD_QT_TRANSLATIONS_SOURCE}/${catalogue}.qm" DESTINATION translations)
endforeach()
