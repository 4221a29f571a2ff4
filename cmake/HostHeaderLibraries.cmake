# The header-only libraries of the command-line tool, CLI11 and nlohmann-json,
# for a cross build: the build machine's packages install them under
# /usr/include, but that folder cannot go on a cross compiler's include path,
# since its C library headers would then stand in for the target's. So only
# the two libraries' own folders are linked into a folder of the build and
# offered as the targets the native packages' CMake files define.
set(QW_HOST_INCLUDE_DIR /usr/include CACHE PATH
  "Folder that holds CLI/CLI.hpp and nlohmann/json.hpp for a cross build")
set(qw_host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${qw_host_headers})

function(qw_host_header_library target header_dir probe)
  if(TARGET ${target})
    return()
  endif()
  if(NOT EXISTS ${QW_HOST_INCLUDE_DIR}/${header_dir}/${probe})
    message(STATUS "Cross build: ${QW_HOST_INCLUDE_DIR}/${header_dir}/${probe} not found, "
      "${target} unavailable")
    return()
  endif()
  file(CREATE_LINK ${QW_HOST_INCLUDE_DIR}/${header_dir} ${qw_host_headers}/${header_dir}
    SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${qw_host_headers})
endfunction()

qw_host_header_library(CLI11::CLI11 CLI CLI.hpp)
qw_host_header_library(nlohmann_json::nlohmann_json nlohmann json.hpp)
