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

# The fuzzers: a host build with clang and libFuzzer, run for a bounded time by
# one test. Left out when this machine's clang cannot link a fuzzer.
find_program(QUILTRA_CLANGXX clang++)
find_program(QUILTRA_CLANG clang)
if(QUILTRA_CLANGXX AND QUILTRA_CLANG)
  set(probe ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${QUILTRA_CLANGXX} -fsanitize=fuzzer,address,undefined
                          ${probe}/probe.cpp -o ${probe}/probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
endif()
if(QUILTRA_CLANGXX AND QUILTRA_CLANG AND probe_result EQUAL 0)
  set(QUILTRA_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(native_fuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${QUILTRA_FUZZ_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTRA_FUZZ=ON -DQUILTRA_TESTS=OFF
               -DCMAKE_C_COMPILER=${QUILTRA_CLANG} -DCMAKE_CXX_COMPILER=${QUILTRA_CLANGXX}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  # The fuzz build's own ctest holds the fuzzers' arguments.
  add_test(NAME native.fuzz
           COMMAND ${CMAKE_CTEST_COMMAND} --output-on-failure
           WORKING_DIRECTORY ${QUILTRA_FUZZ_DIR})
  set_tests_properties(native.fuzz PROPERTIES TIMEOUT 400)
else()
  message(STATUS "clang cannot link libFuzzer targets here: the fuzzers are left out")
endif()
