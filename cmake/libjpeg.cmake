# libjpeg-turbo from Debian's source tarball, built static for the target and
# for size: the one banner decodes in a blink without SIMD, whose dispatch
# table would link every SIMD routine, encoders included (about 300 KB).
# Only the library target is built; the tools and tests are not.
# Provides the imported target jpeg_static.
include_guard(GLOBAL)
include(ExternalProject)

file(GLOB _jpeg_tarball "${PROJECT_SOURCE_DIR}/build/deps/libjpeg-turbo_*.orig.tar.gz")
if(NOT _jpeg_tarball)
  message(FATAL_ERROR
    "libjpeg-turbo source not found in ${PROJECT_SOURCE_DIR}/build/deps; "
    "run scripts/deps.sh first")
endif()
list(GET _jpeg_tarball 0 _jpeg_tarball)

set(_jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(_jpeg_src ${_jpeg_prefix}/src/libjpeg_ext)
set(_jpeg_bin ${_jpeg_prefix}/src/libjpeg_ext-build)
# MinGW's static library is called libjpeg.a in libjpeg-turbo's build tree.
set(_jpeg_lib ${_jpeg_bin}/libjpeg.a)

ExternalProject_Add(libjpeg_ext
  PREFIX ${_jpeg_prefix}
  URL ${_jpeg_tarball}
  DOWNLOAD_EXTRACT_TIMESTAMP ON
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=MinSizeRel
    # Never installed, but its default (c:/...) breaks configuring on Linux.
    -DCMAKE_INSTALL_PREFIX=${_jpeg_prefix}/install
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_JAVA=OFF
    -DWITH_SIMD=OFF
    -DWITH_CRT_DLL=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${_jpeg_bin} --target jpeg-static
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  BUILD_BYPRODUCTS ${_jpeg_lib}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)

# Headers come from the source tree plus the generated jconfig.h; the include
# folders must exist at configure time for the imported target.
file(MAKE_DIRECTORY ${_jpeg_src} ${_jpeg_bin})
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${_jpeg_lib}
  INTERFACE_INCLUDE_DIRECTORIES "${_jpeg_src};${_jpeg_bin}")
add_dependencies(jpeg_static libjpeg_ext)
