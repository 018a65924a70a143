# The test and JSON libraries for a cross build, where the host's packages (built for Linux)
# cannot be linked: GoogleTest is built from Debian's source package (googletest, files under
# /usr/src/googletest), nlohmann-json is header-only and taken from Debian's headers.
set(KORRIN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${KORRIN_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${KORRIN_GTEST_SOURCE} (Debian package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${KORRIN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Not our code: none of our warnings for it.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

# Only the nlohmann/ folder of the host's headers: /usr/include as a whole holds the host's
# C library headers, which must not reach the Windows compiler.
set(KORRIN_NLOHMANN_HEADERS /usr/include/nlohmann CACHE PATH "nlohmann-json headers (Debian nlohmann-json3-dev)")
if(NOT EXISTS ${KORRIN_NLOHMANN_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found in ${KORRIN_NLOHMANN_HEADERS} (Debian package nlohmann-json3-dev)")
endif()
set(korrin_nlohmann_dir ${CMAKE_BINARY_DIR}/nlohmann-include)
file(MAKE_DIRECTORY ${korrin_nlohmann_dir})
if(NOT EXISTS ${korrin_nlohmann_dir}/nlohmann)
  file(CREATE_LINK ${KORRIN_NLOHMANN_HEADERS} ${korrin_nlohmann_dir}/nlohmann SYMBOLIC)
endif()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${korrin_nlohmann_dir})
