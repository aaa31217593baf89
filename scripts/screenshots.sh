#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Renders the README's screenshots (offscreen), light and dark, into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target screenshots_test watchscreenshot_test
OSTREVO_SCREENSHOT_DIR="$PWD/docs/screenshots" QT_QPA_PLATFORM=offscreen build/dev/tests/docs/screenshots_test
OSTREVO_SCREENSHOT_DIR="$PWD/docs/screenshots" QT_QPA_PLATFORM=offscreen OSTREVO_SCREENSHOT_PALETTE=dark \
  build/dev/tests/docs/screenshots_test
OSTREVO_SCREENSHOT_DIR="$PWD/docs/screenshots" QT_QPA_PLATFORM=offscreen build/dev/tests/docs/watchscreenshot_test
