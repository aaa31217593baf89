// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The single-byte code pages old workbooks store text in: what their upper
// half (bytes 0x80 to 0xFF) stands for. The lower half is ASCII in all of them.

#include <array>
#include <cstdint>

namespace ostrevo {

// Null for a code page that is not a single-byte one this table knows.
const std::array<char16_t, 128>* HighHalfOfCodePage(std::uint16_t codePage);

} // namespace ostrevo
