# nlohmann-json, header-only, from Debian's nlohmann-json3-dev (scripts/setup-debian installs
# it). The cross build must not search the host's /usr/include, whose C and C++ headers would
# shadow mingw's, so the one nlohmann folder is linked into an include folder of its own.
set(TARVOLIN_NLOHMANN_DIR /usr/include/nlohmann)
if(NOT EXISTS ${TARVOLIN_NLOHMANN_DIR}/json.hpp)
  message(FATAL_ERROR "nlohmann-json not found: apt-get install nlohmann-json3-dev")
endif()
set(TARVOLIN_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json_include)
file(MAKE_DIRECTORY ${TARVOLIN_JSON_INCLUDE})
file(CREATE_LINK ${TARVOLIN_NLOHMANN_DIR} ${TARVOLIN_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(tarvolin_nlohmann_json INTERFACE)
# SYSTEM: the library's own warnings are not ours to turn into errors.
target_include_directories(tarvolin_nlohmann_json SYSTEM INTERFACE ${TARVOLIN_JSON_INCLUDE})
