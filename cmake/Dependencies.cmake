# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
# Every outside library the build uses, found in one place; all come from
# Debian packages that scripts/install-deps.sh installs. The targets are GLOBAL
# so that static libraries pass them on to every program that links them.
find_package(PkgConfig REQUIRED)
# RDAP answers and the bootstrap file are JSON, read in the core.
find_package(nlohmann_json 3.11 REQUIRED)
# The Public Suffix List, for a host's registered domain, read in the core.
pkg_check_modules(PSL REQUIRED IMPORTED_TARGET GLOBAL libpsl)
# The watch list's database.
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET GLOBAL sqlite3)

if(OSTREVO_GUI)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Network Widgets WebEngineCore WebEngineWidgets DBus Svg Test)
  pkg_check_modules(ICU REQUIRED IMPORTED_TARGET GLOBAL icu-uc icu-i18n)
endif()

# The .xlsx reader (Qt Core and libzip) is built for the fuzz targets too.
if(OSTREVO_GUI OR OSTREVO_FUZZ)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Core)
  pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)
endif()

if(OSTREVO_TESTS)
  find_package(GTest REQUIRED)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  if(OSTREVO_GUI)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
  endif()
endif()

if(OSTREVO_BENCHMARKS)
  find_package(benchmark REQUIRED)
  if(OSTREVO_GUI AND NOT TARGET PkgConfig::HTTPLIB)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
  endif()
endif()
