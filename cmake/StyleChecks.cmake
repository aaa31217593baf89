# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
# Two targets for the style the tools check (scripts/check-style.sh builds the
# second): `format` formats every source file in place, and
# `ostrevo_header_check` compiles every header of src/ on its own, so that
# each one includes what it uses.
file(GLOB_RECURSE ostrevo_format_files CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
  ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
  ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.h)
find_program(CLANG_FORMAT NAMES clang-format-16 clang-format)
if(CLANG_FORMAT)
  add_custom_target(format COMMAND ${CLANG_FORMAT} -i ${ostrevo_format_files} VERBATIM)
endif()

if(OSTREVO_GUI)
  file(GLOB_RECURSE ostrevo_headers RELATIVE ${PROJECT_SOURCE_DIR}/src CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/src/*.h)
  set(header_sources)
  foreach(header ${ostrevo_headers})
    string(MAKE_C_IDENTIFIER ${header} id)
    set(source ${CMAKE_BINARY_DIR}/header_check/${id}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
    list(APPEND header_sources ${source})
  endforeach()
  add_library(ostrevo_header_check OBJECT EXCLUDE_FROM_ALL ${header_sources})
  # Nothing to link or moc: each translation unit only has to compile.
  set_target_properties(ostrevo_header_check PROPERTIES AUTOMOC OFF)
  target_link_libraries(ostrevo_header_check PRIVATE ostrevo_windows ostrevo_xlsx_reader)
endif()
