# GoogleTest from Debian's sources, so the same tests build natively and with mingw.
if(TARVOLIN_TESTS AND NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    message(FATAL_ERROR "GoogleTest sources not found: apt-get install googletest")
  endif()
endif()

# A test executable: tarvolin_gtest(NAME SOURCES ... LIBS ... [LABELS ...])
# In the cross build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(tarvolin_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tarvolin_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gmock gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TARVOLIN_SOURCE_DIR=${CMAKE_SOURCE_DIR};TARVOLIN_BINARY_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 600)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
