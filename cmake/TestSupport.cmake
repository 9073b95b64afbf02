# Test fixtures shared by every cross-built test: the Wine prefix of this build
# tree and, for tests that open windows, a private Xvfb display.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME setup.wine
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-prefix.sh ${QUILTRA_WINE_DIR})
  set_tests_properties(setup.wine PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME cleanup.wine COMMAND ${CMAKE_SOURCE_DIR}/scripts/stop-wine.sh ${QUILTRA_WINE_DIR})
  set_tests_properties(cleanup.wine PROPERTIES FIXTURES_CLEANUP "wine;display")
  add_test(NAME setup.display
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/xvfb.sh start ${QUILTRA_WINE_DIR})
  set_tests_properties(setup.display PROPERTIES FIXTURES_SETUP display)
  add_test(NAME cleanup.display
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/xvfb.sh stop ${QUILTRA_WINE_DIR})
  set_tests_properties(cleanup.display PROPERTIES FIXTURES_CLEANUP display
                       DEPENDS cleanup.wine)
endif()

# A test executable run under Wine. Every one sees the private display: the
# first Wine program of a session starts Wine's desktop, and one started
# without a display would leave the whole session without one. DISPLAY tests
# open windows there and so run alone.
# STANDARD_USER runs it as a standard user has Windows (see
# tests/ui/support/standard-user.sh).
function(quiltra_wine_test name target)
  cmake_parse_arguments(ARG "DISPLAY;STANDARD_USER" "TIMEOUT" "ARGS" ${ARGN})
  if(ARG_STANDARD_USER)
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/ui/support/standard-user.sh ${QUILTRA_WINE_DIR}
                     $<TARGET_FILE:Quiltra> ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:${target}> --gtest_brief=1 ${ARG_ARGS})
  else()
    add_test(NAME ${name} COMMAND ${target} --gtest_brief=1 ${ARG_ARGS})
  endif()
  set(environment "QUILTRA_BUILD_DIR=${CMAKE_BINARY_DIR}" "QUILTRA_TEST_DISPLAY=1")
  if(ARG_DISPLAY)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine;display"
                       ENVIRONMENT "${environment}" TIMEOUT ${ARG_TIMEOUT})
  if(ARG_STANDARD_USER)
    # No other Wine program may start a server with full rights meanwhile.
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()
