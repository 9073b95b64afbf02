# libjpeg-turbo, linked statically into the game for its JPEG decoding.
#
# Cross-built from Debian: the source comes from Debian's source package
# (scripts/fetch-libjpeg.sh, fetched once into the build tree) and is built
# with this build's MinGW toolchain, its SIMD code included when nasm is
# there. Built on Windows: the toolchain's own static library (for example
# MSYS2's mingw-w64-i686-libjpeg-turbo), found as usual.
include(ExternalProject)
set(QUILTRA_LIBJPEG_FROM_DEBIAN ${CMAKE_CROSSCOMPILING} CACHE BOOL
    "Build libjpeg-turbo from Debian's source package")
set(QUILTRA_LIBJPEG_CACHE ${CMAKE_BINARY_DIR}/third-party CACHE PATH
    "Where Debian's libjpeg-turbo source is kept once fetched")

add_library(quiltra_jpeg INTERFACE)
if(QUILTRA_LIBJPEG_FROM_DEBIAN)
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-libjpeg.sh ${QUILTRA_LIBJPEG_CACHE}
                  OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0)
    message(FATAL_ERROR "libjpeg-turbo's source could not be fetched from Debian")
  endif()
  find_program(QUILTRA_NASM nasm)
  if(QUILTRA_NASM)
    set(simd -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=${QUILTRA_NASM})
  else()
    set(simd -DWITH_SIMD=OFF)
  endif()
  set(binary ${CMAKE_BINARY_DIR}/third-party/libjpeg-build)
  ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR ${source}
    BINARY_DIR ${binary}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
               -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_ARITH_DEC=ON -DWITH_ARITH_ENC=ON
               -DCMAKE_INSTALL_PREFIX=${binary}/unused ${simd}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${binary} --target jpeg-static
    BUILD_BYPRODUCTS ${binary}/libjpeg.a
    INSTALL_COMMAND "")
  add_dependencies(quiltra_jpeg libjpeg_turbo)
  # jconfig.h is made by the configuration.
  target_include_directories(quiltra_jpeg INTERFACE ${source} ${binary})
  target_link_libraries(quiltra_jpeg INTERFACE ${binary}/libjpeg.a)
  set(QUILTRA_LIBJPEG_LICENSE ${source}/LICENSE.md)
else()
  find_path(QUILTRA_JPEG_INCLUDE jpeglib.h REQUIRED)
  find_library(QUILTRA_JPEG_LIBRARY NAMES libjpeg.a jpeg REQUIRED)
  target_include_directories(quiltra_jpeg INTERFACE ${QUILTRA_JPEG_INCLUDE})
  target_link_libraries(quiltra_jpeg INTERFACE ${QUILTRA_JPEG_LIBRARY})
endif()
