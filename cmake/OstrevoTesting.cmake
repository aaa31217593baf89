# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
include(GoogleTest)

# ostrevo_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>]
#                  [ENVIRONMENT <VAR=value...>] [PROPERTIES <name value...>]
#                  [QT_MAIN | NO_GTEST_MAIN])
# One executable per unit; every GoogleTest case becomes its own ctest test.
# QT_MAIN runs the tests inside a QApplication (tests/support/qttestmain.cpp);
# NO_GTEST_MAIN is for a test that brings its own main().
function(ostrevo_add_test name)
  cmake_parse_arguments(ARG "QT_MAIN;NO_GTEST_MAIN" "" "SOURCES;LIBS;LABELS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Tests of the core see no Qt: nothing for moc to do. They carry the label
  # `core`, so that the sanitizer run can check them for leaks too.
  set(labels ${ARG_LABELS})
  if("${ARG_LIBS}" STREQUAL "ostrevo_core")
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    list(APPEND labels core)
  endif()
  if(ARG_QT_MAIN)
    set(main ostrevo_test_qtmain)
  elseif(ARG_NO_GTEST_MAIN)
    set(main "")
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ostrevo_test_helpers GTest::gtest GTest::gmock ${main} ostrevo_common)
  target_compile_definitions(${name} PRIVATE
    OSTREVO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)

  # Environment and labels are set by a script ctest reads after the list of
  # discovered tests: passed through gtest_discover_tests, a list of several
  # variables loses all but the first, and empty labels shift the others.
  set(env QT_QPA_PLATFORM=offscreen ${ARG_ENVIRONMENT})
  set(script "set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\n")
  if(labels)
    string(APPEND script "set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS [==[${labels}]==])\n")
  endif()
  if(ARG_PROPERTIES)
    string(APPEND script "set_tests_properties(\${${name}_TESTS} PROPERTIES ${ARG_PROPERTIES})\n")
  endif()
  set(script_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${script_file}" "if(${name}_TESTS)\n${script}endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script_file}")
endfunction()
