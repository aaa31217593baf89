#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# The style the tools check: every file formatted as .clang-format says,
# includes pointing down the folder order, every header compiling on its own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
                                  'fuzz/*.cpp' 'fuzz/*.h')
clang-format-16 --dry-run -Werror "${files[@]}"
echo "formatting: ${#files[@]} files as .clang-format says"

bash scripts/check-layers.sh

cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target ostrevo_header_check
echo "headers: each compiles on its own"
