# Fails when a source file includes a header of a layer it may not use.
#   cmake -DSOURCE_DIR=<repository>/src -P CheckLayers.cmake
#
# Each row: a folder under src, then the folders its files may include from
# (besides their own). The core's layers from the bottom up, then the shells.
cmake_minimum_required(VERSION 3.22)
set(rows
  "text        "
  "platform    text"
  "settings    platform text"
  "schema      platform text"
  "xref        text"
  "engine      schema xref settings platform text"
  "drivers     engine schema xref settings platform text"
  "cli         drivers engine schema xref settings platform text"
  "app/dialogs drivers engine schema xref settings platform text"
  "app/desktop app/dialogs drivers engine schema xref settings platform text"
  "plugin      app/dialogs drivers engine schema xref settings platform text"
  "lazarus     plugin app/dialogs drivers engine schema xref settings platform text")

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: set SOURCE_DIR to the src folder")
endif()

set(layers "")
foreach(row ${rows})
  string(STRIP "${row}" row)
  string(REGEX REPLACE " +" ";" fields "${row}")
  list(POP_FRONT fields layer)
  list(APPEND layers ${layer})
  set(allowed_${layer} ${layer} ${fields})
endforeach()

# The layer an include names: the longest row whose folder starts the path.
function(layer_of path out)
  set(best "")
  foreach(layer ${layers})
    string(LENGTH "${layer}" n)
    string(LENGTH "${best}" b)
    if(path MATCHES "^${layer}/" AND n GREATER b)
      set(best ${layer})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(faults "")
set(checked 0)
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(file ${files})
  layer_of("${file}" owner)
  if(owner STREQUAL "")
    list(APPEND faults "${file}: in no layer (add its folder to the table)")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue() # a header beside the file, or a generated one
    endif()
    layer_of("${header}" target)
    if(target STREQUAL "" OR NOT target IN_LIST allowed_${owner})
      list(APPEND faults "${file}: includes ${header}, which ${owner} may not use")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "${checked} files include only their own and lower layers")
