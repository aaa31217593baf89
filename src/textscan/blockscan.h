// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The token and field scans behind NextToken and FieldOf for what the quick
// path does not settle: sets of more than eight separators, long tokens,
// tokens near the end of the text. Internal to textscan.
//
// 64 bytes are classified against the separator set in one go (AVX2 where
// the processor has it, SSE2 otherwise) and the token's edges read from the
// two resulting bit masks, separators and quotes. Only tokens that meet a
// quote go the long way, through SeparatorScanner. Each thread keeps the
// set's tables and its last classified block with a copy of the block's
// bytes: a scan going on within that block reuses its masks once the bytes
// are seen to be unchanged, so a changed text never gets stale answers.

#include "textscan/separatorscanner.h"

#include <cstddef>
#include <string_view>

namespace ostrevo::detail {

// The token at `from`: skipSeparators then findSeparator, as
// SeparatorScanner::token. The set holds 1 to MaxSeparatorSetSize bytes.
SeparatorScanner::Span blockToken(std::string_view separators, const char* p, std::size_t n,
                                  std::size_t from) noexcept;

// The end of the field at `from`, as SeparatorScanner::findSeparator.
std::size_t blockFieldEnd(std::string_view separators, const char* p, std::size_t n,
                          std::size_t from) noexcept;

// Which classifier the calls use: AVX2 when the processor has it, unless
// `allowAvx2` is false (so that tests cover both on one machine).
void useAvx2(bool allowAvx2) noexcept;

} // namespace ostrevo::detail
