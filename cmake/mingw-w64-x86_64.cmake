# Cross build for 64-bit Windows with the mingw-w64 compiler (posix threads):
#   cmake --preset windows && cmake --build --preset windows
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILBAR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILBAR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILBAR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILBAR_MINGW_PREFIX}-windres)

# Libraries and headers come from the cross sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILBAR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
