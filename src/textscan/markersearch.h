// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The exact substring search behind FindMarker. Internal to textscan.

#include <cstddef>

namespace ostrevo::detail {

// Index of the first occurrence of the `m` bytes at `marker` in the `n` bytes
// at `text`, or `n` when there is none. Any m >= 1.
//
// One byte: memchr. Longer markers: sixteen candidate positions at a time
// are tested on the marker's first and last bytes together (SSE2), and only
// the rare positions where both match are compared in full. Same answers as
// any exact search; far fewer steps than a bad-character search on page text.
std::size_t findMarkerIn(const char* text, std::size_t n, const char* marker, std::size_t m) noexcept;

} // namespace ostrevo::detail
