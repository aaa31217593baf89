// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What a lookup from the command line keeps in its journal, so that a run
// that was interrupted can go on: each row as the window journals it (site,
// e-mail, expiry), and each host that was answered as a record of its own
// (the host alone), also when its answer made no row.

#include "lookup/lookuprun.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace ostrevo {
class RowJournal;
}

namespace ostrevo::cli {

struct JournalledRun {
    std::vector<LookupRow> rows;
    std::set<std::string, std::less<>> answered;
};

void journalRow(RowJournal& journal, const LookupRow& row);
void journalAnswered(RowJournal& journal, const std::string& host);

// The journal's rows and answered hosts; nothing for a missing journal.
JournalledRun readLookupJournal(const std::filesystem::path& file);

} // namespace ostrevo::cli
