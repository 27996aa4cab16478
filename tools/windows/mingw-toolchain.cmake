# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QVMD_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QVMD_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QVMD_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QVMD_MINGW_PREFIX}-windres)

# Headers and libraries come from the MinGW root (and the cross-built Qt added by its own wrapper),
# build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QVMD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config would otherwise describe the build machine's libraries (GMime among them).
set(ENV{PKG_CONFIG_LIBDIR} "${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
