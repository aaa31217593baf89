// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/hostinput.h"

#include <gtest/gtest.h>

namespace ostrevo::cli {
namespace {

using Hosts = std::vector<std::string>;

TEST(HostInput, ReadsEveryKindOfListAsHosts)
{
    const struct {
        std::string name;
        std::string content;
        bool html;
        Hosts hosts;
    } cases[] = {
        {"hosts", "a.com\nwww.b.net\r\nA.COM\n\n  c.org  \n", false, {"a.com", "www.b.net", "c.org"}},
        {"URLs", "https://a.com/path?x=1,2\nhttp://user@b.net:8080/\n", false, {"a.com", "b.net"}},
        {"saved results",
         "Web sites,Email,Expires\r\nhttp://a.com,mailto:o@a.com,2027/01/02\r\n\"http://b.net\",,\"\"\r\n",
         false,
         {"a.com", "b.net"}},
        {"results by semicolons",
         "Web sites;Email;Expires\nhttp://a.com;x;y\nhttp://c.org;;\n",
         false,
         {"a.com", "c.org"}},
        {"other TLDs and junk left out", "a.de\nnot a host\n<script>\nb.com\n", false, {"b.com"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "a.com\n",
         false,
         {"a.com"}},
        {"UTF-16",
         std::string("\xFF\xFE"
                     "a\0.\0c\0o\0m\0\n\0",
                     14),
         false,
         {"a.com"}},
        {"HTML page",
         "<a href=\"http://a.com/x\">a</a> <A HREF='http://b.net'>b</A>",
         true,
         {"b.net", "a.com"}}, // one pass per link form
        {"nothing", "", false, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hostsOfText(c.content, c.html, TldFilter()), c.hosts) << c.name;
    }
}

TEST(HostInput, TheTldChoiceDecides)
{
    EXPECT_EQ(hostsOfText("a.de\nb.com\n", false, *TldFilter::parse("de")), Hosts{"a.de"});
    EXPECT_EQ(hostsOfText("a.de\nb.com\n", false, TldFilter::everyTld()), (Hosts{"a.de", "b.com"}));
}

} // namespace
} // namespace ostrevo::cli
