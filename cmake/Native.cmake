# Host build: the portable core and its tests, under AddressSanitizer and
# UndefinedBehaviorSanitizer. A stray <windows.h> in core breaks this build.
option(QUILTRA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
option(QUILTRA_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(QUILTRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QUILTRA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILTRA_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage feedback for the code under test; the fuzz targets link the
  # fuzzer's own main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

add_subdirectory(src/core)
if(QUILTRA_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUILTRA_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/core)
endif()
if(QUILTRA_FUZZ)
  add_subdirectory(fuzz)
endif()
