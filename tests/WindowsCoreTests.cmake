# The core's tests in a Windows build, run under Wine: no windows, no mail reader, and none of the tests
# listed as POSIX-only.
set(QVMD_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest's sources (Debian's libgtest-dev)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory("${QVMD_GOOGLETEST_SOURCE}" "${CMAKE_CURRENT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# The cases of otherwise portable files that need POSIX, or more than Wine offers: the runner leaves them out.
list(JOIN QVMD_POSIX_ONLY_CASES ":" QVMD_POSIX_ONLY_FILTER)
list(JOIN QVMD_WINE_LIMITED_CASES ":" QVMD_WINE_LIMITED_FILTER)
string(APPEND QVMD_POSIX_ONLY_FILTER ":${QVMD_WINE_LIMITED_FILTER}")
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/posix-only-cases.txt" "${QVMD_POSIX_ONLY_FILTER}\n")

file(GLOB_RECURSE QVMD_CORE_TEST_SOURCES CONFIGURE_DEPENDS core/*.cpp core/*.h)
list(FILTER QVMD_CORE_TEST_SOURCES EXCLUDE REGEX "/core/mail/|/test_check_mail_golden\\.cpp$")
foreach(posixOnly IN LISTS QVMD_POSIX_ONLY_TESTS)
    list(FILTER QVMD_CORE_TEST_SOURCES EXCLUDE REGEX "/tests/${posixOnly}$")
endforeach()
add_executable(qvmd_core_tests ${QVMD_CORE_TEST_SOURCES} main.cpp
               support/TempProgramFolder.cpp support/LocalHttpServer.cpp support/FileSizeLimitWin32.cpp
               support/SystemFilesWin32.cpp)
target_include_directories(qvmd_core_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# The kit for the program's style, which the shared test main sets.
target_link_libraries(qvmd_core_tests PRIVATE qvmd_kit Qt6::Test gtest)
add_dependencies(qvmd_core_tests qvmd-check)
target_compile_definitions(qvmd_core_tests PRIVATE
    QVMD_CHECK_PROGRAM="$<TARGET_FILE:qvmd-check>"
    QVMD_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QVMD_FIXTURES_DIR="${CMAKE_CURRENT_SOURCE_DIR}/fixtures")
