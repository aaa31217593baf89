// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/progressline.h"

#include <gtest/gtest.h>

namespace ostrevo::cli {
namespace {

TEST(ProgressLine, ShowsTheFiguresAndFitsTheTerminal)
{
    LookupProgress progress{.done = 120,
                            .total = 5000,
                            .elapsedMs = 2500,
                            .left = {1, 2, 3},
                            .current = "example.com",
                            .rows = 1,
                            .noAnswer = 3};
    EXPECT_EQ(lookupProgressLine(progress, 200),
              "120/5000  48.0/s  1:02:03 left  1 row  3 no answer  example.com");
    // Narrow: the host goes first, then the end of the line.
    EXPECT_EQ(lookupProgressLine(progress, 56), "120/5000  48.0/s  1:02:03 left  1 row  3 no answer  exam");
    EXPECT_EQ(lookupProgressLine(progress, 10), "120/5000  ");

    // Nothing done yet: no rate; a host's control characters never reach the terminal.
    progress.done = 0;
    progress.current = "a\x1b[2Jb";
    EXPECT_EQ(lookupProgressLine(progress, 200), "0/5000  -/s  1:02:03 left  1 row  3 no answer  a?[2Jb");
    // A resumed run's rate counts only the hosts done since it went on.
    progress.done = 1120;
    progress.resumed = 1000;
    progress.current = {};
    EXPECT_EQ(lookupProgressLine(progress, 200), "1120/5000  48.0/s  1:02:03 left  1 row  3 no answer");
    EXPECT_EQ(durationText({100, 0, 9}), "100:00:09");
}

} // namespace
} // namespace ostrevo::cli
