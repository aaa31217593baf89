// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/lookupjournal.h"

#include "resultlist/rowjournal.h"

#include <string_view>

namespace ostrevo::cli {

namespace {
constexpr std::string_view SitePrefix = "http://";
}

void journalRow(RowJournal& journal, const LookupRow& row)
{
    journal.append({std::string(SitePrefix) + row.host, row.email, row.expires});
}

void journalAnswered(RowJournal& journal, const std::string& host)
{
    journal.append({host});
}

JournalledRun readLookupJournal(const std::filesystem::path& file)
{
    JournalledRun run;
    for (std::vector<std::string>& record : readRowJournal(file)) {
        if (record.size() == 1) {
            run.answered.insert(std::move(record.front()));
        } else if (record.size() == 3 && std::string_view(record[0]).starts_with(SitePrefix)) {
            LookupRow row{record[0].substr(SitePrefix.size()), std::move(record[1]), std::move(record[2])};
            run.answered.insert(row.host);
            run.rows.push_back(std::move(row));
        }
    }
    return run;
}

} // namespace ostrevo::cli
