# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
# One interface target carries the settings every Ostrevo target shares.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_library(ostrevo_common INTERFACE)
target_compile_features(ostrevo_common INTERFACE cxx_std_20)
set_target_properties(ostrevo_common PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(ostrevo_common INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
target_compile_definitions(ostrevo_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)

option(OSTREVO_WERROR "Treat warnings as errors" OFF)
if(OSTREVO_WERROR)
  target_compile_options(ostrevo_common INTERFACE -Werror)
endif()
