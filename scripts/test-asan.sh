#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Every test under AddressSanitizer and UndefinedBehaviorSanitizer. The core's
# tests are checked for leaks too; Qt and its browser engine keep memory on
# purpose until exit, and the engine mixes new/delete sizes inside itself,
# so those two checks are off for the rest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1
# The soak test is here for memory faults; its minutes of paging run in the
# plain build.
export OSTREVO_SOAK_SECONDS=${OSTREVO_SOAK_SECONDS:-60}
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --preset asan -L core "$@"
ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0:abort_on_error=1 ctest --preset asan -LE core "$@"
