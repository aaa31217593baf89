#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Runs every benchmark program of a build once, each case at its smallest
# size (OSTREVO_BENCH_SMOKE=1), so that a benchmark that hangs, crashes, reads
# the wrong setting or no longer finds what it measures fails CI in seconds.
# The figures are not looked at. Usage: bench-smoke.sh [build folder]
# (build/dev by default; the dev preset builds the benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/dev}
limit=${OSTREVO_BENCH_SMOKE_SECONDS:-60} # per program

export OSTREVO_BENCH_SMOKE=1
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The browser engine refuses its sandbox to root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

mapfile -t programs < <(find "$build/bench" -maxdepth 2 -type f -perm -u+x \
  \( -name '*_bench' -o -name 'platform_measure' \) | sort)
if [ "${#programs[@]}" -eq 0 ]; then
  echo "bench-smoke: no benchmark programs under $build/bench" >&2
  exit 1
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0
for program in "${programs[@]}"; do
  start=$SECONDS
  args=(--benchmark_min_time=0.01)
  # platform_measure is no Google Benchmark: its argument is the idle wait in seconds.
  [ "$(basename "$program")" != platform_measure ] || args=(1)
  status=0
  timeout -k 5 "$limit" "$program" "${args[@]}" >"$log" 2>&1 || status=$?
  verdict=ok
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    verdict="hung (killed after $limit s)"
  elif [ "$status" -ne 0 ]; then
    verdict="failed (exit $status)"
  elif grep -q 'ERROR OCCURRED' "$log"; then
    verdict="reported an error"
  fi
  printf '%-28s %4d s  %s\n' "$(basename "$program")" $((SECONDS - start)) "$verdict"
  if [ "$verdict" != ok ]; then
    failed=1
    tail -n 20 "$log" | sed 's/^/    /'
  fi
done
exit "$failed"
