# One way to register a test program: build it from SOURCES, link it with
# GoogleTest and LIBS, and register it with ctest under LABEL (unit, db or gui).
# db and gui tests that touch the database share the throwaway server started
# by the db_server fixture and run one at a time, since each resets its data.
find_package(GTest REQUIRED)

set(ORVIK_TEST_SERVER_DIR ${CMAKE_BINARY_DIR}/testserver)

function(orvik_add_test name)
  cmake_parse_arguments(T "NEEDS_SERVER" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL MATCHES "^(unit|db|gui)$")
    message(FATAL_ERROR "orvik_add_test(${name}): LABEL must be unit, db or gui")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ORVIK_TEST_SERVER_DIR="${ORVIK_TEST_SERVER_DIR}"
    ORVIK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_property(GLOBAL APPEND PROPERTY ORVIK_TESTS_${T_LABEL} ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT 600)
  if(T_LABEL STREQUAL "gui")
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  if(T_LABEL STREQUAL "db" OR T_NEEDS_SERVER)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED db_server RESOURCE_LOCK db_server)
  endif()
endfunction()

# A test that is a shell script, for what only the build as a whole shows (the
# Debian package made from it): SCRIPT run with ARGS by bash, under a LABEL of
# its own kind.
function(orvik_add_script_test name)
  cmake_parse_arguments(T "" "LABEL;SCRIPT" "ARGS" ${ARGN})
  if(NOT T_LABEL OR NOT T_SCRIPT)
    message(FATAL_ERROR "orvik_add_script_test(${name}): LABEL and SCRIPT are needed")
  endif()
  add_test(NAME ${name} COMMAND bash ${T_SCRIPT} ${T_ARGS})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT 300)
endfunction()
