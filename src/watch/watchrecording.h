// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// One watched domain's RDAP result written into the watch list: its status
// summed up, the drop estimated, the notices it earns and its next check.

#include "lookup/rdaprun.h"
#include "watch/watchstore.h"

#include <string>
#include <vector>

namespace ostrevo {

// The notices the result earns, already written with it; none for a result
// without an answer, which is counted and tried at the next slot.
std::vector<WatchNotice> recordWatchResult(WatchStore& store, const std::string& name,
                                           const RdapHostResult& result, WallTime now);

} // namespace ostrevo
