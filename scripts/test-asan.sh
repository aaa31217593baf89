#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# The tests under AddressSanitizer and UndefinedBehaviorSanitizer, but for the
# soak, whose minutes of paging run in the plain build only. The core's tests
# are checked for leaks too; Qt and its browser engine keep memory on purpose
# until exit, and the engine mixes new/delete sizes inside itself, so those two
# checks are off for the rest. Extra arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1
# Unfiltered, a run that selects nothing means the labels went astray.
[ $# -gt 0 ] || set -- --no-tests=error
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --preset asan -L core "$@"
ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0:abort_on_error=1 ctest --preset asan -LE core -E '[Ss]oak' "$@"
