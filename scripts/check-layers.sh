#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Fails when a source folder includes a header of a folder above it. The
# folders, highest first; a folder may include its own headers and those of
# any folder after it.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(app cli rechercheweb filtres expired preferences watch lookup net splashunit hints spreadsheet resultlist
        pageloader textscan containers platform)

rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

status=0
for dir in src/*/; do
  folder=$(basename "$dir")
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "src/$folder is not in the folder order of scripts/check-layers.sh" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    other=$(rank "$target")
    if [ "$other" -ge 0 ] && [ "$other" -lt "$own" ]; then
      echo "$file:$line: $folder includes $target, a folder above it" >&2
      status=1
    fi
  done < <(grep -Hn '^#include "[a-z]*/' -r "$dir" || true)
done
[ "$status" -eq 0 ] && echo "folder layers: every include points down"
exit "$status"
