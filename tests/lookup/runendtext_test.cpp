// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/runendtext.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(RunEndText, NamesAFewUnansweredHostsAndCountsTheRest)
{
    struct Case {
        std::size_t found;
        std::vector<std::string> unanswered;
        const char* text;
    };
    const Case cases[] = {
        {3, {}, "Lookup finished: 3 domains found"},
        {0, {"a.com", "b.net"}, "Lookup finished: 0 domains found; no answer for a.com, b.net"},
        {1,
         {"a.com", "b.com", "c.com", "d.com", "e.com", "f.com", "g.com"},
         "Lookup finished: 1 domains found; no answer for a.com, b.com, c.com, d.com, e.com and 2 more"},
        // Hosts come from outside: what is not a DNS name is counted, never shown.
        {2, {"<b>x</b>.com", "a.com"}, "Lookup finished: 2 domains found; no answer for a.com and 1 more"},
        {2, {"bad name.com"}, "Lookup finished: 2 domains found; no answer for 1 host"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runEndText(c.found, c.unanswered), c.text);
    }
}

} // namespace
} // namespace ostrevo
