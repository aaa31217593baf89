// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// How long a search waits for a result page built by its scripts to settle,
// kept in the settings ("search/settleSeconds").

namespace ostrevo {

inline constexpr int kDefaultSettleSeconds = 5;
inline constexpr int kMinSettleSeconds = 1;
inline constexpr int kMaxSettleSeconds = 60;

// The stored time, or the default when unset or out of range.
int loadSettleSeconds();
void saveSettleSeconds(int seconds);

} // namespace ostrevo
