find_package(GTest REQUIRED)

set(GW_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")

# gw_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per unit, registered with CTest under the label "core".
function(gw_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE GW_TEST_DATA_DIR="${GW_TEST_DATA_DIR}")
  gw_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS core TIMEOUT 300)
endfunction()

# The locale variables of a window test, all four set so that the caller's
# own do not choose the window's language: German (C), or English.
set(GW_GERMAN "LANGUAGE=;LC_ALL=;LC_MESSAGES=;LANG=C")
set(GW_ENGLISH "LANGUAGE=;LC_ALL=;LC_MESSAGES=;LANG=en_US.UTF-8")

# gw_add_qttest(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable per window unit, run offscreen and in German under
# the label "ui".
function(gw_add_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE GW_TEST_DATA_DIR="${GW_TEST_DATA_DIR}")
  gw_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;${GW_GERMAN}")
endfunction()
