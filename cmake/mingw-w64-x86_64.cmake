# Cross-building for 64-bit Windows on Debian with mingw-w64 (posix threads,
# for std::thread and std::mutex). Programs and tests run under wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TENVOLL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TENVOLL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TENVOLL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TENVOLL_MINGW_PREFIX}-windres)

# Libraries and headers come from the mingw sysroot and the given prefixes
# (Qt for Windows); programs (moc, uic) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TENVOLL_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through wine (Debian's wine64 puts it beside its libraries).
find_program(TENVOLL_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TENVOLL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TENVOLL_WINE})
endif()
