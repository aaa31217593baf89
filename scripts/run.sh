#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Installs what is missing, builds Ostrevo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev -j"$(nproc)" --target ostrevo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start Ostrevo on a virtual one with:" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/run.sh" >&2
  exit 1
fi

# The browser engine refuses to run its sandbox as root; a normal user keeps it.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
cd build/dev/src/app
exec ./ostrevo "$@"
