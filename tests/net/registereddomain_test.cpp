// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/lookupdomains.h"
#include "net/registereddomain.h"
#include "net/tldfilter.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

// The list's own rules: plain suffixes, multi-label ones, wildcards and their
// exceptions, its private section (which registries do not hand out), and
// labels that are no TLD at all.
TEST(RegisteredDomain, OneLabelMoreThanTheLongestIcannSuffix)
{
    const std::pair<const char*, const char*> cases[] = {
        {"www.google.com", "google.com"},
        {"google.com", "google.com"},
        {"info.carafem.org", "carafem.org"},
        {"a.b.example.co.uk", "example.co.uk"},
        {"www.city.kawasaki.jp", "city.kawasaki.jp"},
        {"a.b.kawasaki.jp", "a.b.kawasaki.jp"},
        {"someone.blogspot.com", "blogspot.com"},
        {"shop.xn--p1ai", "shop.xn--p1ai"},
        {"com", ""},
        {"co.uk", ""},
        {"www.bing.comfacebook", ""},
        {"localhost", ""},
        {"", ""},
    };
    for (const auto& [host, domain] : cases) {
        EXPECT_EQ(registeredDomain(host), domain) << host;
    }
}

TEST(RegisteredDomain, HostsOfOneDomainAreOneLookup)
{
    EXPECT_EQ(
        registeredDomainsOf({"www.x.com", "x.com", "Blog.X.com", "a b.com", "www.bing.comfacebook", "y.fr"}),
        (std::vector<std::string>{"x.com", "y.fr"}));
}

TEST(TldFilter, ReadsTheUsersListAndRefusesWhatIsNoTld)
{
    const struct {
        const char* text;
        const char* readBack; // nullptr: refused
    } cases[] = {
        {".com .net .org", ".com .net .org"},
        {"fr, .XYZ;moscow", ".fr .moscow .xyz"},
        {"*", "*"},
        {"com *", "*"},
        {"comfacebook", nullptr},
        {"co.uk", nullptr},
        {"", nullptr},
        {" , ", nullptr},
    };
    for (const auto& c : cases) {
        std::string why;
        const std::optional<TldFilter> filter = TldFilter::parse(c.text, &why);
        EXPECT_EQ(filter ? filter->text() : std::string("refused"), c.readBack ? c.readBack : "refused")
            << c.text;
        EXPECT_EQ(why.empty(), filter.has_value()) << c.text;
    }
}

TEST(TldFilter, AcceptsHostsOfItsTldsThatTheListKnows)
{
    const TldFilter usual;
    const TldFilter every = TldFilter::everyTld();
    const struct {
        const char* host;
        bool byDefault;
        bool byEvery;
    } cases[] = {
        {"www.example.com", true, true},    {"example.fr", false, true}, {"x.com.au", false, true},
        {"bing.comfacebook", false, false}, {"com", false, false},       {"shop.xn--p1ai", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(usual.accepts(c.host), c.byDefault) << c.host;
        EXPECT_EQ(every.accepts(c.host), c.byEvery) << c.host;
    }
}

} // namespace
} // namespace ostrevo
