// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The TLDs to collect, kept in the settings ("search/tlds").

#include "net/tldfilter.h"

namespace ostrevo {

// The stored choice; .com .net .org when unset or unreadable.
TldFilter loadTldFilter();
void saveTldFilter(const TldFilter& filter);

} // namespace ostrevo
