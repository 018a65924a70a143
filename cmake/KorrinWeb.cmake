# The WebAssembly build (Emscripten, scripts/web): the core libraries, the JSON pieces of
# korrin-cli and the Embind binding of src/web, linked into build-web/korrin-core.js, one
# self-contained file (the WebAssembly embedded) that runs in the browser and under Node.
# No window, no tests, no tools: the page's tests run it, the native build tests the rest.

# nlohmann-json is header-only: Debian's headers, only their own folder (as in the cross build).
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

add_subdirectory(src)

file(GLOB korrin_web_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/web/*.cpp)
add_executable(korrin-core ${korrin_web_sources})
target_link_libraries(korrin-core PRIVATE korrin_cli_lib)
set_target_properties(korrin-core PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Embind; Asyncify so that the load and save sequences wait for the page's answers; a
# factory function (MODULARIZE without EXPORT_ES6, which would not run under Node); the
# in-memory file system; the WebAssembly inside the .js file.
target_link_options(korrin-core PRIVATE
  -lembind
  -sMODULARIZE=1
  -sEXPORT_NAME=createKorrinCore
  -sENVIRONMENT=web,node
  -sASYNCIFY=1
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1
  -sFORCE_FILESYSTEM=1
  -sSINGLE_FILE=1
  -sEXPORTED_RUNTIME_METHODS=[FS]
  --post-js ${PROJECT_SOURCE_DIR}/src/web/binding_post.js)
set_property(TARGET korrin-core APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/src/web/binding_post.js)
