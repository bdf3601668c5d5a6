# GoogleTest: the system's package natively, its sources when cross-compiling.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(STMTPICK_GTEST gtest_main)
else()
  find_package(GTest REQUIRED)
  set(STMTPICK_GTEST GTest::gtest_main)
endif()
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(STMTPICK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  foreach(step start stop)
    add_test(NAME wine_${step} COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-server ${step})
    set_tests_properties(wine_${step} PROPERTIES ENVIRONMENT "WINEPREFIX=${STMTPICK_WINEPREFIX}")
  endforeach()
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP emulator)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP emulator)
endif()

function(stmtpick_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE stmtpick_core stmtpick_testing ${STMTPICK_GTEST})
  if(CMAKE_CROSSCOMPILING)
    # One CTest entry per binary: listing the cases would start the emulator at build time.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED emulator
      ENVIRONMENT "WINEPREFIX=${STMTPICK_WINEPREFIX}")
  else()
    gtest_discover_tests(${name})
  endif()
  # The process-level tests run the tool; make sure it is built with them.
  add_dependencies(${name} stmtpick plangen)
endfunction()

stmtpick_test(unit_tests
  cli/scan_arguments_test.cpp
  planfile/format_test.cpp
  planfile/reader_test.cpp
  planfile/script_writer_test.cpp)

stmtpick_test(tool_tests
  cli/main_test.cpp
  planfile/extract_test.cpp
  planfile/fuzz_corpus_test.cpp
  planfile/repair_test.cpp
  examples/sample_test.cpp)
target_compile_definitions(tool_tests PRIVATE
  STMTPICK_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/examples"
  STMTPICK_CORPUS_DIR="${CMAKE_SOURCE_DIR}/planfile/fuzz_corpus")
