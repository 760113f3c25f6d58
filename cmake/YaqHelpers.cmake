# yaq_add_library(<name> DIR <folder> [DEPS <targets...>])
# Builds every .cpp/.h/.qrc of the folder (not its subfolders) into one static
# library. The src folder is the include root: #include "platform/Profile.h".
function(yaq_add_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  file(GLOB _extra CONFIGURE_DEPENDS ${ARG_DIR}/*.h ${ARG_DIR}/*.qrc)
  if(_sources)
    add_library(${name} STATIC ${_sources} ${_extra})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    # A folder without code yet still takes its place in the chain.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
