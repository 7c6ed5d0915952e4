# ks_add_test(<name> SOURCES ... [LIBS ...] [QT])
# A GoogleTest binary registered case by case with ctest. QT gives it a main that
# creates a QApplication (offscreen under test.sh) before the tests run.
find_package(GTest REQUIRED)
include(GoogleTest)

function(ks_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ks_test_main_qt)
  else()
    target_link_libraries(${name} PRIVATE ks_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  # The test mains set the environment (offscreen platform, program folder).
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
