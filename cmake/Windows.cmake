# The Windows build: the game, its libraries and the tests that run under Wine
# (or on Windows itself).
add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600
                        _WIN32_IE=0x0600 STRICT)
# Our own code keeps the function-pointer casts of GetProcAddress.
add_compile_options(-Wno-cast-function-type)
set(QUILTRA_STATIC_LINK -static -static-libgcc -static-libstdc++)
# The 32-bit game may use all 4 GB a 64-bit Windows gives it; a 64-bit one has
# them anyway.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QUILTRA_ARCH i686)
  list(APPEND QUILTRA_STATIC_LINK -Wl,--large-address-aware)
else()
  set(QUILTRA_ARCH x86_64)
endif()

if(CMAKE_CROSSCOMPILING)
  # Each build tree has its own Wine prefixes, made for its architecture; the
  # scripts read which from the prefix's folder.
  set(QUILTRA_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  foreach(wine_dir ${QUILTRA_WINE_DIR} ${CMAKE_BINARY_DIR}/wine-screens)
    file(WRITE ${wine_dir}/arch "${QUILTRA_ARCH}\n")
  endforeach()
  configure_file(scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

include(cmake/LibJpeg.cmake)
add_subdirectory(src/core)
add_subdirectory(src/platform)
add_subdirectory(src/forms)
add_subdirectory(src/game)
include(cmake/Distribution.cmake)

# The tests' and benchmarks' shared helpers.
add_subdirectory(tests/support)

if(QUILTRA_TESTS AND EXISTS ${QUILTRA_GTEST_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUILTRA_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources do not build warning-free with our flags.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  include(cmake/TestSupport.cmake)
  add_subdirectory(tests/core)
  add_subdirectory(tests/inprocess)
  add_subdirectory(tests/ui)
  if(CMAKE_CROSSCOMPILING AND QUILTRA_NATIVE_TESTS)
    include(cmake/NativeTests.cmake)
  endif()
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
