// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/lookupjournal.h"

#include "resultlist/rowjournal.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

namespace ostrevo::cli {
namespace {

TEST(LookupJournal, KeepsRowsAndAnsweredHostsAcrossRuns)
{
    const test::TempFolder folder;
    const std::filesystem::path file = folder / "journal.csv";
    EXPECT_TRUE(readLookupJournal(file).rows.empty());
    {
        RowJournal journal(file);
        journalAnswered(journal, "a.com");
        journalRow(journal, {"a.com", "mailto:o@a.com", "2027/01/02"});
        journalAnswered(journal, "gone.com"); // answered without a row
        journalRow(journal, {"b,c.com", "", "not registered"});
    }
    {
        // A resumed run appends to what the first one left.
        RowJournal journal(file);
        journalAnswered(journal, "d.com");
    }
    // A record cut short by a kill, and one that is no row of ours.
    test::writeFile(file, test::readFile(file) + "ftp://x,y,z\r\nhttp://cut.com,mai");
    const JournalledRun run = readLookupJournal(file);
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_EQ(run.rows[0].host, "a.com");
    EXPECT_EQ(run.rows[0].email, "mailto:o@a.com");
    EXPECT_EQ(run.rows[1].host, "b,c.com");
    EXPECT_EQ(run.rows[1].expires, "not registered");
    EXPECT_EQ(run.answered, (std::set<std::string, std::less<>>{"a.com", "b,c.com", "d.com", "gone.com"}));
}

} // namespace
} // namespace ostrevo::cli
