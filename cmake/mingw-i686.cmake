# Cross-build for 32-bit Windows with MinGW-w64: the game players get.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILTRA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
