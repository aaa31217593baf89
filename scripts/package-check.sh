#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Builds the Debian package, installs it, starts the installed program from an
# empty home folder on a virtual display, checks that it stays up and made the
# per-user catalogue, then removes the package again. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target ostrevo
(cd build/dev && cpack -G DEB >/dev/null)
package=$(ls build/dev/ostrevo_*.deb | head -n 1)

apt-get install -y -q "./$package" >/dev/null
trap 'apt-get remove -y -q ostrevo >/dev/null || true' EXIT

home=$(mktemp -d)
status=0
(cd "$home" && HOME="$home" QTWEBENGINE_DISABLE_SANDBOX=1 \
  timeout 10 xvfb-run -a -s '-screen 0 1024x768x24' /usr/bin/ostrevo >"$home/log" 2>&1) || status=$?
# timeout's 124 means the program was still running: it started and stayed up.
if [ "$status" -ne 124 ]; then
  echo "installed ostrevo exited with $status:" >&2
  cat "$home/log" >&2
  exit 1
fi
if [ ! -s "$home/.local/share/Ostrevo/listex.txt" ]; then
  echo "installed ostrevo did not copy its catalogue for the user" >&2
  exit 1
fi
if [ ! -s /usr/share/man/man1/ostrevo.1.gz ]; then
  echo "the package did not install the manual page" >&2
  exit 1
fi
# The commands need no display.
if ! (cd "$home" && HOME="$home" /usr/bin/ostrevo lookup --help | grep -q -- --resume); then
  echo "installed ostrevo lookup --help failed" >&2
  exit 1
fi
rm -rf "$home"
echo "package: $(basename "$package") installs and starts"
