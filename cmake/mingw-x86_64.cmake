# Cross-build for 64-bit Windows with MinGW-w64: the same sources as the i686
# build, for hosts whose Wine runs no 32-bit programs. The posix thread model
# is needed for std::mutex (GoogleTest uses it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILTRA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILTRA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILTRA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILTRA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILTRA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
