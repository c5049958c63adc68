# Building installers: the program's objects linked with one payload folder.

# Static, GUI, only system DLLs, stripped of symbols and unused sections; no
# time stamp, so equal inputs give equal files. File alignment equal to the
# section alignment lets Wine map the image instead of reading the whole
# payload into memory at start.
set(SETUP_LINK_OPTIONS
  -static -static-libgcc -static-libstdc++
  -s -Wl,--gc-sections -Wl,--no-insert-timestamp -Wl,--file-alignment=4096
  -Wl,--dynamicbase -Wl,--nxcompat)
math(EXPR SETUP_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
if(SETUP_BITS EQUAL 64)
  list(APPEND SETUP_LINK_OPTIONS -Wl,--high-entropy-va)
  set(SETUP_MANIFEST_ARCH amd64)
else()
  # 4 GiB of address space instead of 2 on 64-bit Windows (3 GiB on 32-bit
  # Windows booted with /3GB): room for a large payload mapped whole.
  list(APPEND SETUP_LINK_OPTIONS -Wl,--large-address-aware)
  set(SETUP_MANIFEST_ARCH x86)
endif()

# The installer's two helper threads (the banner's decoding, the read-ahead)
# are started by CreateThread and use no C++ thread facility, so it links the
# C++ runtime of the win32 thread model, which needs no pthread library (about
# 28 KB less), although its objects come from the posix-model compiler the
# tests need: no object of the program calls a C++ thread function, so the two
# runtimes link the same code.
execute_process(
  COMMAND ${MINGW_TRIPLE}-g++-win32 -print-file-name=libstdc++.a
  OUTPUT_VARIABLE _win32_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE _win32_rc ERROR_QUIET)
if(_win32_rc EQUAL 0 AND IS_ABSOLUTE "${_win32_libstdcxx}")
  get_filename_component(_win32_runtime_dir "${_win32_libstdcxx}" DIRECTORY)
  list(PREPEND SETUP_LINK_OPTIONS -L${_win32_runtime_dir})
endif()

# The payload checker runs on the build machine, so it is built with the
# host compiler and shares the manifest and name rules with the installer.
find_program(SETUP_HOST_CXX NAMES g++ c++ REQUIRED)
set(SETUP_PAYLOAD_TOOL ${CMAKE_BINARY_DIR}/buildtools/payload_res)
file(GLOB _payload_tool_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/buildtools/*.cpp)
file(GLOB _payload_tool_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/buildtools/*.h)
list(APPEND _payload_tool_sources
  ${PROJECT_SOURCE_DIR}/core/path.cpp
  ${PROJECT_SOURCE_DIR}/core/names.cpp)
add_custom_command(
  OUTPUT ${SETUP_PAYLOAD_TOOL}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/buildtools
  COMMAND ${SETUP_HOST_CXX} -std=c++17 -O2 -I${PROJECT_SOURCE_DIR}
          ${_payload_tool_sources} -o ${SETUP_PAYLOAD_TOOL}
  DEPENDS ${_payload_tool_sources} ${_payload_tool_headers}
          ${PROJECT_SOURCE_DIR}/core/path.h ${PROJECT_SOURCE_DIR}/core/names.h
          ${PROJECT_SOURCE_DIR}/core/payload.h ${PROJECT_SOURCE_DIR}/core/run.h
          ${PROJECT_SOURCE_DIR}/core/platform.h
  COMMENT "Building the payload checker for the build machine")
add_custom_target(payload_tool DEPENDS ${SETUP_PAYLOAD_TOOL})

# setup_payload_object(<out-var> <name> <payload-dir> [UNCHECKED])
# Checks <payload-dir> and compiles its manifest and files into a resource
# object; <out-var> receives the object's path. UNCHECKED embeds a
# deliberately broken payload for tests.
function(setup_payload_object out_var name payload_dir)
  cmake_parse_arguments(ARG "UNCHECKED" "" "" ${ARGN})
  set(mode)
  if(ARG_UNCHECKED)
    set(mode --unchecked)
  endif()
  set(base ${CMAKE_CURRENT_BINARY_DIR}/${name}_payload)
  add_custom_command(
    OUTPUT ${base}.o
    COMMAND ${SETUP_PAYLOAD_TOOL} ${mode} ${payload_dir} ${base}.res ${base}.d ${base}.o
    COMMAND ${CMAKE_RC_COMPILER} -J res -O coff -i ${base}.res -o ${base}.o
    COMMAND ${CMAKE_COMMAND} -E rm -f ${base}.res
    DEPENDS ${SETUP_PAYLOAD_TOOL}
    DEPFILE ${base}.d
    COMMENT "Embedding the payload of ${payload_dir}"
    VERBATIM)
  set_source_files_properties(${base}.o PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  set(${out_var} ${base}.o PARENT_SCOPE)
endfunction()

# setup_add_installer(<target> <payload-dir> <output-dir> [UNCHECKED])
# Links _setup.exe into <output-dir>: the program's objects and one payload.
function(setup_add_installer target payload_dir out_dir)
  setup_payload_object(payload ${target} ${payload_dir} ${ARGN})
  # The runtime's replacements as objects, to come before the library's; only
  # the installer takes them (tests link more of the library).
  add_executable(${target} WIN32 ${payload} $<TARGET_OBJECTS:forms_runtime>)
  target_link_libraries(${target} PRIVATE setup_program)
  target_link_options(${target} PRIVATE ${SETUP_LINK_OPTIONS})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME _setup
    RUNTIME_OUTPUT_DIRECTORY ${out_dir})
endfunction()
