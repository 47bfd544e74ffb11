find_package(GTest REQUIRED)

morvane_pch_host(morvane_pch_core_gtest "${MORVANE_PCH_CORE};<gtest/gtest.h>"
  Qt6::Core GTest::gtest)
morvane_pch_host(morvane_pch_widgets_gtest "${MORVANE_PCH_WIDGETS};<gtest/gtest.h>"
  Qt6::Widgets GTest::gtest)

# morvane_add_test(NAME SOURCES ... LIBS ... [QTEST])
# One executable per tested unit. GoogleTest executables get gtest_main
# unless QTEST is given, in which case the sources bring their own
# QTEST_MAIN. Every test runs with a fixed locale and the offscreen
# platform so it never needs a display.
function(morvane_add_test name)
  cmake_parse_arguments(ARG "QTEST" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_QTEST)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  morvane_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8;QT_QPA_PLATFORM=offscreen;TZ=Asia/Tokyo"
    TIMEOUT 300)
endfunction()
