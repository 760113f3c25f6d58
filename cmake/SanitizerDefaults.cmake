# The sanitizers' settings built into every program of the sanitizer build
# (cmake/SanitizerDefaults.cpp.in): the leak suppressions of tests/lsan.supp
# and the options CTest used to set in the environment. A program run alone
# (docs/testing.md: one test program alone) then reports what it reports under CTest.

set(_supp ${PROJECT_SOURCE_DIR}/tests/lsan.supp)
# A change of the list configures the build again.
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_supp})
file(READ ${_supp} YAQ_LSAN_SUPPRESSIONS)
if(YAQ_LSAN_SUPPRESSIONS MATCHES "\\)yaqsupp\"")
  message(FATAL_ERROR "tests/lsan.supp must not hold the text )yaqsupp\"")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp.in
               ${CMAKE_BINARY_DIR}/generated/SanitizerDefaults.cpp @ONLY)
add_library(yaq_sanitizer_defaults OBJECT ${CMAKE_BINARY_DIR}/generated/SanitizerDefaults.cpp)

# yaq_link_sanitizer_defaults(): links the settings into every program
# defined so far in this project's folders; called once, after them all.
function(yaq_link_sanitizer_defaults)
  set(_dirs ${PROJECT_SOURCE_DIR})
  while(_dirs)
    list(POP_FRONT _dirs _dir)
    get_property(_targets DIRECTORY ${_dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(_target IN LISTS _targets)
      get_target_property(_type ${_target} TYPE)
      if(_type STREQUAL "EXECUTABLE")
        target_link_libraries(${_target} PRIVATE yaq_sanitizer_defaults)
      endif()
    endforeach()
    get_property(_subdirs DIRECTORY ${_dir} PROPERTY SUBDIRECTORIES)
    list(APPEND _dirs ${_subdirs})
  endwhile()
endfunction()
