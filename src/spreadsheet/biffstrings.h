// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The character sets of .xls text, to UTF-8: BIFF8 stores UTF-16 (or its
// first 256 code points as single bytes), BIFF5 single bytes in the
// workbook's code page.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ostrevo {

// UTF-16 code units; a surrogate without its partner becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

// 8-bit text in a CODEPAGE record's code page: the single-byte Windows, DOS
// and Mac Roman pages; Windows-1252, the Excel 5 default, also for values
// that name no 8-bit page (ASCII, UTF-16). Throws UnreadableWorkbook for text
// beyond ASCII in any other code page (the double-byte Asian ones), which
// would come out garbled.
std::string Utf8FromCodePage(std::span<const std::uint8_t> text, std::uint16_t codePage);

} // namespace ostrevo
