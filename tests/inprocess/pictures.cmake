# The picture tests' files, made with ImageMagick when the tests are built.
set(QUILTRA_TEST_PICTURES ${CMAKE_CURRENT_BINARY_DIR}/pictures)
add_custom_command(OUTPUT ${QUILTRA_TEST_PICTURES}/made
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/make-pictures.sh ${QUILTRA_TEST_PICTURES}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUILTRA_TEST_PICTURES}/made
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make-pictures.sh
  COMMENT "Making the test pictures"
  VERBATIM)
add_custom_target(test_pictures DEPENDS ${QUILTRA_TEST_PICTURES}/made)
add_dependencies(inprocess_tests test_pictures)
target_link_libraries(inprocess_tests PRIVATE psapi)
target_link_libraries(inprocess_tests PRIVATE photo_jpeg)
