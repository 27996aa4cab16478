# Fails the build when a file includes a layer above its own.
# Layers, bottom to top: core (the mail reader beside it), kit, the window folders, the shell. Inside core,
# core/app (the program's state and start-up) is the top: only the windows include it.
# Called with -DLAYER=<core|mail|kit|windows> -DROOT=<the src folder> -DSOURCES=<|-separated files> -DSTAMP=<file>.
if(LAYER STREQUAL "core")
    # The mail reader is not linked into the core: the program must not depend on its MIME library.
    set(forbidden "ui/|core/mail/")
    # Core links neither module, but their headers are reachable through Qt's common include folder.
    set(forbidden_modules "^(QtWidgets|QtPrintSupport|gmime)(/|$)")
elseif(LAYER STREQUAL "mail")
    set(forbidden "ui/")
    set(forbidden_modules "^(QtWidgets|QtPrintSupport)(/|$)")
elseif(LAYER STREQUAL "kit")
    # Only the checker reads mailboxes.
    set(forbidden "ui/|core/mail/")
    set(allowed "ui/kit/")
elseif(LAYER STREQUAL "windows")
    set(forbidden "ui/shell/|core/mail/")
else()
    message(FATAL_ERROR "unknown layer ${LAYER}")
endif()

if(LAYER STREQUAL "core" OR LAYER STREQUAL "mail")
    set(above_within "core/app/")
    # A forwarding header left behind when the string table moved to core/common.
    set(above_within_kept "core/app/StringTable.h")
endif()

string(REPLACE "|" ";" SOURCES "${SOURCES}")
set(faults "")
foreach(source IN LISTS SOURCES)
    get_filename_component(folder "${source}" DIRECTORY)
    file(RELATIVE_PATH source_in_root "${ROOT}" "${source}")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" header "${line}")
        if(DEFINED forbidden_modules AND header MATCHES "${forbidden_modules}")
            string(APPEND faults "\n  ${source}: ${header}")
            continue()
        endif()
        # A quoted include found beside the file counts as the path it names from src, so that
        # "../../ui/kit/Seams.h" is ui/kit/Seams.h.
        set(named "${header}")
        if(line MATCHES "include[ \t]*\"")
            get_filename_component(beside "${header}" ABSOLUTE BASE_DIR "${folder}")
            if(EXISTS "${beside}")
                file(RELATIVE_PATH named "${ROOT}" "${beside}")
            endif()
        endif()
        if(DEFINED above_within AND named MATCHES "^${above_within}"
           AND NOT source_in_root MATCHES "^${above_within}" AND NOT named STREQUAL above_within_kept)
            string(APPEND faults "\n  ${source}: ${header}")
            continue()
        endif()
        if(named MATCHES "^(${forbidden})" OR named MATCHES "^\\.\\./")
            if(DEFINED allowed AND named MATCHES "^${allowed}")
                continue()
            endif()
            string(APPEND faults "\n  ${source}: ${header}")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "The ${LAYER} layer includes a layer above it:${faults}")
endif()
file(TOUCH "${STAMP}")
