#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
#
# Installs every Debian package Ostrevo needs to build, test and run.
# Idempotent: packages already present are skipped, so the other scripts
# call it unconditionally.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # tests, benchmarks, fuzzing (libFuzzer comes with clang)
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev libfuzzer-14-dev
  # formatting (InsertBraces needs 15 or later)
  clang-format-16
  # Qt 6 widgets and the browser engine
  qt6-base-dev qt6-webengine-dev libqt6opengl6-dev libgl-dev
  # SVG icons
  qt6-svg-dev
  # collation and case folding (ICU, the same library Qt uses)
  libicu-dev
  # spreadsheet import
  libzip-dev
  # loopback servers in tests, a virtual display, fonts for rendering
  libcpp-httplib-dev xvfb xauth fonts-dejavu-core fonts-liberation
  # RDAP answers and bootstrap files (JSON)
  nlohmann-json3-dev
  # registered domains: the Public Suffix List and its reader
  libpsl-dev publicsuffix
  # the watch list's database
  libsqlite3-dev
  # a session bus for the desktop notification test
  dbus-daemon
  # desktop integration checks
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or with sudo) to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
