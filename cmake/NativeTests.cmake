# The host build of the core and its tests, run from this build's ctest so that
# one command runs every test.
include(ExternalProject)
set(QUILTRA_NATIVE_DIR ${CMAKE_BINARY_DIR}/native)
ExternalProject_Add(native
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${QUILTRA_NATIVE_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTRA_GTEST_DIR=${QUILTRA_GTEST_DIR}
             -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
add_test(NAME native.core
         COMMAND ${QUILTRA_NATIVE_DIR}/tests/core/core_tests --gtest_brief=1
         WORKING_DIRECTORY ${QUILTRA_NATIVE_DIR})
set_tests_properties(native.core PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
