#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Builds the libFuzzer targets and runs them within one time budget.
# Usage: scripts/fuzz.sh [total seconds for all targets, default 240]
# Each target gets an equal share, at least 5 seconds. The inputs follow a
# fixed seed, so that a run repeats the start of any longer run made with it;
# set OSTREVO_FUZZ_SEED to explore other inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-240}
seed=${OSTREVO_FUZZ_SEED:-1}
[[ $total =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [total seconds]" >&2; exit 2; }

bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)"

shopt -s nullglob
targets=(build/fuzz/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets built" >&2
  exit 1
fi
seconds=$((total / ${#targets[@]}))
[ "$seconds" -ge 5 ] || seconds=5
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  # The workbook readers start from the test workbooks.
  case $name in
    xlsreader_fuzz) cp -n tests/data/spreadsheets/*.xls "$corpus"/ ;;
    xlsxreader_fuzz) cp -n tests/data/spreadsheets/*.xlsx "$corpus"/ ;;
  esac
  echo "== $name: ${seconds}s"
  # The log is kept whole: a fault's stack and artifact name are at its end,
  # and set -e must not end the script before they are shown.
  log="build/fuzz/$name.log"
  if "$target" -seed="$seed" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="build/fuzz/$name-" "$corpus" >"$log" 2>&1; then
    tail -n 3 "$log"
  else
    tail -n 60 "$log" >&2
    echo "$name found a fault (whole log: $log)" >&2
    exit 1
  fi
done
echo "fuzz: ${#targets[@]} targets clean, ${seconds}s each"
