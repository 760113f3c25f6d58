# yaq_add_library(<name> DIR <folder> [DEPS <targets...>])
# Builds every .cpp/.h/.qrc of the folder (not its subfolders) into one
# library: static, or shared with -DBUILD_SHARED_LIBS=ON (the test build). The src folder is the include root: #include "platform/Profile.h".
function(yaq_add_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  yaq_register_layer(${name} ${ARG_DIR} "${ARG_DEPS}")
  file(GLOB _sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  file(GLOB _extra CONFIGURE_DEPENDS ${ARG_DIR}/*.h ${ARG_DIR}/*.qrc)
  if(_sources)
    add_library(${name} ${_sources} ${_extra})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    # A folder without code yet still takes its place in the chain.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# Notes a library's folder and direct dependencies for the layer check.
# yaq_register_layer(<name> <folder> <deps> [<files...>]): a library that
# owns only some files of a folder another library shares names them (full
# paths); the rest of the folder belongs to the library registered without.
function(yaq_register_layer name dir deps)
  file(RELATIVE_PATH _rel ${PROJECT_SOURCE_DIR}/src ${dir})
  string(REPLACE ";" "," _deps "${deps}")
  set(_files "")
  foreach(_f IN LISTS ARGN)
    file(RELATIVE_PATH _f ${PROJECT_SOURCE_DIR}/src ${_f})
    list(APPEND _files ${_f})
  endforeach()
  string(REPLACE ";" "," _files "${_files}")
  set_property(GLOBAL APPEND PROPERTY YAQ_LAYERS "${name}|${_rel}|${_deps}|${_files}")
endfunction()

# Writes one line per library:
# "<name>|<folder below src>|<deps, comma-separated>|<own files, comma-separated>".
function(yaq_write_layers file)
  get_property(_layers GLOBAL PROPERTY YAQ_LAYERS)
  string(REPLACE ";" "\n" _text "${_layers}")
  file(WRITE ${file} "${_text}\n")
endfunction()
