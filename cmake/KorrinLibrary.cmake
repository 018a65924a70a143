# korrin_library(NAME DIR [DEPS ...]): a static library of every .cpp file in DIR (not below it).
# Sources are globbed so that a new file in a subsystem's folder needs no CMake edit.
function(korrin_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# korrin_tests(DIR LIBS...): one test program per tests/DIR/*_test.cpp, each registered with ctest.
# One program per file keeps a broken test file from hiding the others.
function(korrin_tests dir)
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp")
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    string(REPLACE "/" "_" prefix ${dir})
    set(target test_${prefix}_${stem})
    string(REPLACE "_test" "" target ${target})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${ARGN} korrin_test_support GTest::gtest GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE
      KORRIN_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
      KORRIN_EXAMPLES="${PROJECT_SOURCE_DIR}/examples"
      KORRIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
  endforeach()
endfunction()
