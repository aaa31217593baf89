// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/hosthandover.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;

Texts hostsOf(const Texts& entries)
{
    UrlList urls;
    for (const auto& entry : entries) {
        urls.append(entry);
    }
    return finishHosts(urls);
}

TEST(FinishHosts, OneLowerCasedHostPerSite)
{
    EXPECT_EQ(hostsOf({"http://www.Example.com/page", "www.example.com/other", "HTTP://WWW.EXAMPLE.COM"}),
              Texts{"www.example.com"});
}

TEST(FinishHosts, TakesTheHostOfTheAuthority)
{
    EXPECT_EQ(hostsOf({"http://www.example.com:8080/x", "http://shop.example.org/?q=1", "example.net",
                       "http://bank.com@evil.com/", "http://q.com?x=/y", "http://f.org#mailto:bank.com/"}),
              (Texts{"www.example.com", "shop.example.org", "example.net", "evil.com", "q.com", "f.org"}));
}

TEST(FinishHosts, KeepsOnlyValidDnsNames)
{
    EXPECT_EQ(hostsOf({"http://a.com&domain=b.org&l=EN/", "http://a b.com/", "http://a.com<font>/",
                       "http://a\xE2\x80\xAE.com/", "http://" + std::string(300, 'a') + ".com/",
                       "http://ok-1.net/"}),
              Texts{"ok-1.net"});
    UrlList urls;
    urls.append("http://B\xC3\xBC"
                "cher.com/");
    const AsciiHostConverter toAscii = [](std::string_view) {
        return std::optional<std::string>("xn--bcher-kva.com");
    };
    EXPECT_EQ(finishHosts(urls, asciiLower, toAscii), Texts{"xn--bcher-kva.com"});
    EXPECT_EQ(finishHosts(urls), Texts{});
}

TEST(FinishHosts, HttpsCountsLikeHttp)
{
    EXPECT_EQ(hostsOf({"https://www.example.com/x", "HTTPS://Secure.Example.org"}),
              (Texts{"www.example.com", "secure.example.org"}));
}

TEST(FinishHosts, DropsHostsWithoutComNetOrOrg)
{
    EXPECT_EQ(hostsOf({"www.example.de", "http://www.example.de/x.com", "", "/", "http:///a.com"}), Texts{});
}

TEST(FinishHosts, TicksPlayNoPartAndOrderIsKept)
{
    UrlList urls;
    urls.append("b.com/x");
    urls.append("A.com", true);
    urls.append("B.COM/y");
    EXPECT_EQ(finishHosts(urls), (Texts{"b.com", "a.com"}));
}

TEST(ReduceToHosts, ReplacesTheEntriesUnticked)
{
    UrlList urls;
    urls.append("http://b.com/x", true);
    urls.append("www.a.com/y", true);
    urls.append("nothing.de");
    reduceToHosts(urls);
    EXPECT_EQ(urls.texts(), (Texts{"b.com", "www.a.com"}));
    EXPECT_FALSE(urls.isTicked(0));
    EXPECT_FALSE(urls.isTicked(1));
}

TEST(ReduceToHosts, SortedListStaysSorted)
{
    UrlList urls;
    urls.sortAlphabetically();
    urls.append("http://zeta.com/");
    urls.append("http://Alpha.com/");
    reduceToHosts(urls);
    EXPECT_EQ(urls.texts(), (Texts{"alpha.com", "zeta.com"}));
}

} // namespace
} // namespace ostrevo
