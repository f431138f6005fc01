# Every target of the project (not GoogleTest) is built with these warnings. Developer builds
# (scripts/build) make them errors; a packager's plain build keeps them warnings, since a newer
# compiler or another optimisation level may warn where the code is sound.
option(TARVOLIN_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
function(tarvolin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(TARVOLIN_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library of the project: tarvolin_library(NAME SOURCES ... LIBS ...)
function(tarvolin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  tarvolin_warnings(${name})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()
