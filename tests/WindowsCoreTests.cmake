# The core's tests in a Windows build, run under Wine: no windows, no mail reader, and none of the tests
# listed below, which need a Linux-only tool or call.
set(QVMD_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest's sources (Debian's libgtest-dev)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory("${QVMD_GOOGLETEST_SOURCE}" "${CMAKE_CURRENT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# Linux-only, in one place. Whole files that use Linux-only calls (each names why), and test cases that
# check what only a POSIX file system has; the runner skips the cases listed here.
set(QVMD_LINUX_ONLY_TESTS
    core/app/test_bad_files.cpp              # /dev/zero, named pipes and POSIX file modes
    core/exchange/test_auto_backup_crash.cpp # kills helpers with POSIX signals (SpawnAndKill)
    core/logfile/test_log_crash.cpp          # the same
)
set(QVMD_LINUX_ONLY_CASES
    # A full disk is simulated with the POSIX file-size limit.
    TextFileTest.FailedAppendIsReportedAndLeavesNoHalfLine
    TextFileTest.FailedRewriteKeepsTheOldFileAndLeavesNoTemporary
    LogWrite.FailuresLeaveTheOldFileAndAFullLogRefuses
    CheckRunErrors.TheReportFolderIsCheckedFirstAndFailedWritesAreCounted
    # Named pipes and symbolic links in the file system.
    TextFileTest.OverwriteInPlaceCutsToSizeAndReportsWhatStandsInTheWay
    LogRead.SpecialAndMissingFilesAreReportedNotWaitedOn
    FolderRuleTest.SeedsOnlyRegularFilesAndLeavesThemWritable
    UpdateCheckerTest.ALinkInDataIsReplacedNeverItsTarget
)
list(JOIN QVMD_LINUX_ONLY_CASES ":" QVMD_LINUX_ONLY_FILTER)
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/linux-only-cases.txt" "${QVMD_LINUX_ONLY_FILTER}\n")

file(GLOB_RECURSE QVMD_CORE_TEST_SOURCES CONFIGURE_DEPENDS core/*.cpp core/*.h)
list(FILTER QVMD_CORE_TEST_SOURCES EXCLUDE REGEX "/core/mail/|/test_check_mail_golden\\.cpp$")
foreach(test IN LISTS QVMD_LINUX_ONLY_TESTS)
    list(FILTER QVMD_CORE_TEST_SOURCES EXCLUDE REGEX "/${test}$")
endforeach()
add_executable(qvmd_core_tests ${QVMD_CORE_TEST_SOURCES} main.cpp
               support/TempProgramFolder.cpp support/LocalHttpServer.cpp support/FileSizeLimitWin32.cpp
               support/SystemFilesWin32.cpp)
target_include_directories(qvmd_core_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(qvmd_core_tests PRIVATE qvmd_core Qt6::Widgets Qt6::Test gtest)
add_dependencies(qvmd_core_tests log_append_helper auto_backup_helper qvmd-check)
target_compile_definitions(qvmd_core_tests PRIVATE
    QVMD_LOG_APPEND_HELPER="$<TARGET_FILE:log_append_helper>"
    QVMD_AUTO_BACKUP_HELPER="$<TARGET_FILE:auto_backup_helper>"
    QVMD_CHECK_PROGRAM="$<TARGET_FILE:qvmd-check>"
    QVMD_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QVMD_FIXTURES_DIR="${CMAKE_CURRENT_SOURCE_DIR}/fixtures")
