# Cross-build for 64-bit Windows with MinGW-w64: the same sources as the i686
# build, for hosts whose Wine runs no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILTRA_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
