# Runs the include check on small made-up layers: every way up must be refused, ordinary includes let
# through. Called with -DCHECK=<CheckLayer.cmake> -DWORK=<scratch folder>.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/src/core/print" "${WORK}/src/ui/kit" "${WORK}/src/ui/logging" "${WORK}/src/ui/shell")
file(WRITE "${WORK}/src/ui/kit/Seams.h" "")
file(WRITE "${WORK}/src/ui/shell/frmMain.h" "")
file(WRITE "${WORK}/src/core/print/Near.h" "")

set(failures 0)
# expect(<layer> <true if refused> <file below src> <include line>)
function(expect layer refused file line)
    file(WRITE "${WORK}/src/${file}" "${line}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DROOT=${WORK}/src "-DSOURCES=${WORK}/src/${file}"
                            -DSTAMP=${WORK}/stamp -P "${CHECK}"
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(refused AND result EQUAL 0)
        message(SEND_ERROR "${layer}: '${line}' was let through")
    elseif(NOT refused AND NOT result EQUAL 0)
        message(SEND_ERROR "${layer}: '${line}' was refused")
    endif()
endfunction()

expect(core TRUE core/print/a.cpp "#include \"ui/kit/Seams.h\"")
expect(core TRUE core/print/a.cpp "#include \"../../ui/kit/Seams.h\"")
expect(core TRUE core/print/a.cpp "#include <QtWidgets/QWidget>")
expect(core TRUE core/print/a.cpp "#include <QtPrintSupport/QPrinter>")
expect(core TRUE core/print/a.cpp "#  include <QtWidgets>")
expect(core FALSE core/print/a.cpp "#include \"core/print/Near.h\"")
expect(core FALSE core/print/a.cpp "#include \"Near.h\"")
expect(core FALSE core/print/a.cpp "#include <QtGui/QImage>")
expect(kit FALSE ui/kit/a.cpp "#include \"Seams.h\"")
expect(kit TRUE ui/kit/a.cpp "#include \"../shell/frmMain.h\"")
expect(windows FALSE ui/logging/a.cpp "#include \"../kit/Seams.h\"")
expect(windows TRUE ui/logging/a.cpp "#include \"../shell/frmMain.h\"")
