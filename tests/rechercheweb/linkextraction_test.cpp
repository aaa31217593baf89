// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkextraction.h"

#include "rechercheweb/linkhost.h"
#include "textscan/hostname.h"
#include "textscan/textscan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;

// One call on `line`, with the page made of that line, after `before` was in
// the list; returns what the call appended.
Texts appendedBy(const std::string& line, const Texts& before = {}, const CutMarkers& markers = {},
                 const LinkRules& rules = {})
{
    UrlList urls;
    for (const auto& entry : before) {
        urls.append(entry);
    }
    parsepage(line, markers, urls, rules);
    Texts all = urls.texts();
    return Texts(all.begin() + static_cast<std::ptrdiff_t>(before.size()), all.end());
}

struct LineCase {
    std::string line;
    Texts before;
    Texts appended;
};

class ResultLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(ResultLines, AppendsExactlyTheExpectedHosts)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(appendedBy(c.line, c.before), c.appended) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    PlainHttp, ResultLines,
    ::testing::Values(LineCase{"www.example.com/page - 12k - Cached", {}, {"www.example.com"}},
                      LineCase{"Visit http://www.example.net/x and http://example.org/y",
                               {},
                               {"www.example.net", "example.org"}},
                      LineCase{"http://example.com/ page", {}, {"example.com"}},
                      LineCase{"see example.com here", {}, {}}, LineCase{"see example.com at www", {}, {}},
                      LineCase{"WWW.EXAMPLE.COM/", {}, {"www.example.com"}},
                      LineCase{"www.EXAMPLE.com/a", {"www.example.com"}, {}},
                      LineCase{
                          "www.example.com/a www.example.org/b", {"www.example.com"}, {"www.example.org"}},
                      // Neither TLD is collected by default.
                      LineCase{"www.network.example/", {}, {}}, LineCase{"www.example.com.au/", {}, {}},
                      LineCase{"see http://foo bar.example.com/x", {}, {"bar.example.com"}},
                      LineCase{"He said, \"see www.example.com today\"", {}, {"www.example.com"}},
                      LineCase{"www.example.com www.example.org/b", {"www.example.com"}, {"www.example.org"}},
                      LineCase{"", {}, {}}));

INSTANTIATE_TEST_SUITE_P(
    Https, ResultLines,
    ::testing::Values(LineCase{"https://www.example.com/x", {}, {"www.example.com"}},
                      LineCase{"Visit https://example.org/y", {}, {"example.org"}},
                      LineCase{"go https://shop.example.net:8443/cart now", {}, {"shop.example.net"}},
                      LineCase{"see https://a.example.com/ and http://b.example.com/",
                               {},
                               {"a.example.com", "b.example.com"}},
                      LineCase{"see http://b.example.com/ and https://a.example.com/",
                               {},
                               {"b.example.com", "a.example.com"}},
                      // Schemes in capitals: the host in lower case.
                      LineCase{"HTTPS://ALPHA-7.COM/", {}, {"alpha-7.com"}},
                      LineCase{"see Http://Www.Beta.Org/x", {}, {"www.beta.org"}},
                      LineCase{"hTtP://GAMMA.NET", {}, {"gamma.net"}}));

// Page text is UTF-8: Unicode spaces and breadcrumb separators end a host,
// letters beyond ASCII do not.
INSTANTIATE_TEST_SUITE_P(
    UnicodeBreaks, ResultLines,
    ::testing::Values(LineCase{"www.example.com\u00A0\u203A\u00A0docs", {}, {"www.example.com"}},
                      LineCase{"https://www.example.com \u203A blog \u203A post", {}, {"www.example.com"}},
                      LineCase{"example.org \u203A wiki \u203A Page", {}, {"example.org"}},
                      LineCase{"Example Domain\u2003example.net/path", {}, {"example.net"}},
                      LineCase{"site:\u3000www.a.com", {}, {"www.a.com"}},
                      LineCase{"www.b.com\u00B7 2 days ago", {}, {"www.b.com"}},
                      LineCase{"www.c.com\u00BBmore|www.d.com|Home", {}, {"www.c.com", "www.d.com"}},
                      LineCase{"www.e.com\u2013Home\u2014www.f.com\u200Bx", {}, {"www.e.com", "www.f.com"}},
                      LineCase{"\u202Fwww.g.com\u205F", {}, {"www.g.com"}},
                      // The TLD "comfacebook" is in no list.
                      LineCase{"www.bing.comfacebook", {}, {}},
                      // Glued to letters: part of a word, or cut short.
                      LineCase{"b\u00FCcher.com/x", {}, {}}, LineCase{"www.example.com\u2026", {}, {}},
                      // Google's "Ad" label before the host.
                      LineCase{"Adwww.semrush.com", {}, {"www.semrush.com"}},
                      LineCase{"Ad\u00B7www.semrush.com/x", {}, {"www.semrush.com"}},
                      LineCase{"Sponsored\u00A0Adwww.semrush.com \u203A", {}, {"www.semrush.com"}},
                      // A bare name is no link; a path segment is no host.
                      LineCase{"example.com", {}, {}}, LineCase{"docs/readme.com/x", {}, {}},
                      LineCase{"http://192.168.1.1/admin", {}, {}}));

TEST(TldRules, EveryTldTakesWhatTheListKnows)
{
    const LinkRules every{TldFilter::everyTld(), {}};
    EXPECT_EQ(appendedBy("www.example.com.au/ www.network.example/ http://x.co.uk", {}, {}, every),
              (Texts{"www.example.com.au", "x.co.uk"}));
}

struct OwnCase {
    std::string line;
    Texts appended;
};

class EngineOwnLinks : public ::testing::TestWithParam<OwnCase> {};

TEST_P(EngineOwnLinks, AreNoResultsButTheirRedirectsAre)
{
    UrlList urls;
    const int links =
        parsepage(GetParam().line, {}, urls, {TldFilter{}, ownDomainOf("https://www.google.com/search?q=")});
    EXPECT_EQ(urls.texts(), GetParam().appended);
    EXPECT_EQ(links, urls.count());
}

INSTANTIATE_TEST_SUITE_P(
    Google, EngineOwnLinks,
    ::testing::Values(
        OwnCase{"URL: https://www.google.com/search?q=cheap+hotels&start=10", {}},
        OwnCase{"maps.google.com/maps \u203A place", {}}, OwnCase{"www.google.com", {}},
        OwnCase{"https://www.google.com/url?q=https%3A%2F%2Fexample.com%2Fpage&sa=U", {"example.com"}},
        OwnCase{"https://www.google.com/url?sa=t&url=HTTP%3a%2f%2fWWW.Example.ORG", {"www.example.org"}},
        OwnCase{"https://www.google.com/url?q=https%3A%2F%2Faccounts.google.com%2F", {}},
        // Only the engine's own domain: another one under the same suffix is a result.
        OwnCase{"https://notgoogle.com/x https://google.com.evil.net/",
                {"notgoogle.com", "google.com.evil.net"}}));

TEST(LinkTargets, EveryStyleOfTargetGivesItsResult)
{
    UrlList urls;
    urls.append("www.listed.com");
    const Texts targets{"https://www.example.com/a",
                        "HTTPS://Shop.Example.NET/x?y=1",
                        "https://www.google.com/url?q=https%3A%2F%2Fredirected.org%2F&sa=U",
                        "https://www.google.com/preferences",
                        "javascript:void(0)",
                        "mailto:someone@mail.com",
                        "https://example.de/",
                        "http://user@www.listed.com:8080/"};
    const int links = harvestLinkTargets(targets, urls, {TldFilter{}, "google.com"});
    EXPECT_EQ(urls.texts(),
              (Texts{"www.listed.com", "www.example.com", "shop.example.net", "redirected.org"}));
    EXPECT_EQ(links, 4);
}

TEST(LinkTargets, AreBoundedInCountAndLength)
{
    Texts targets(static_cast<std::size_t>(kMaxLinkTargets) - 1, "https://www.same.com/");
    targets.push_back("https://www.long.com/" + std::string(kMaxLinkTargetBytes, 'x'));
    targets.push_back("https://www.late.com/");
    UrlList urls;
    harvestLinkTargets(targets, urls);
    EXPECT_EQ(urls.texts(), Texts{"www.same.com"});
}

TEST(CutMarkers, CutTheLineInFrontOfTheMarker)
{
    EXPECT_EQ(appendedBy("www.example.com/ - Cached", {}, {"Cached"}), Texts{"www.example.com"});
    EXPECT_EQ(appendedBy("Cached www.example.org/", {}, {"Cached"}), Texts{});
}

TEST(CutMarkers, SurroundingSpacesArePartOfTheMarker)
{
    EXPECT_EQ(appendedBy("www.a-b.com/ - x", {}, {" - "}), Texts{"www.a-b.com"});
    EXPECT_EQ(appendedBy("www.a-b.com/ - x", {}, {"-"}), Texts{});
}

TEST(CutMarkers, EmptyMarkerCutsNothing)
{
    EXPECT_EQ(appendedBy("www.example.com/", {}, {""}), Texts{"www.example.com"});
}

TEST(PageLinesTest, WholePageLinesStayOutIgnoringCase)
{
    // The host inside a sentence, without the words around it.
    UrlList urls;
    parsepage("see www.example.com now", {}, urls);
    EXPECT_EQ(urls.texts(), Texts{"www.example.com"});
}

TEST(ParseAllLines, HarvestsEveryLineOfAPage)
{
    UrlList urls;
    const PageLines page =
        PageLines::fromText("Results 1-10\r\nwww.alpha.com/x - Cached\r\nhttp://beta.org/\r\n"
                            "nothing here\r\nWWW.ALPHA.COM/y\r\nwww.alpha.com/z");
    parseAllLines(page, {"Cached"}, urls);
    EXPECT_EQ(urls.texts(), (Texts{"www.alpha.com", "beta.org"}));
    for (int i = 0; i < urls.count(); ++i) {
        EXPECT_FALSE(urls.isTicked(i));
    }
}

TEST(LongLines, ManyTokensBeforeTheLink)
{
    std::string line;
    for (int i = 0; i < 20000; ++i) {
        line += "word ";
    }
    line += "www.late.com/x";
    EXPECT_EQ(appendedBy(line), Texts{"www.late.com"});
}

// The algorithm as it was, every pass doing all its work: every host it
// found, parsepage finds still.
void referenceParsepage(std::string_view line, const CutMarkers& markers, const PageLines& page,
                        UrlList& urls)
{
    const auto has = [](std::string_view text, std::string_view part) {
        return text.find(part) != std::string_view::npos;
    };
    std::string work(line);
    std::string candidate(line);
    std::int32_t cursor = 1;
    for (;;) {
        if (!has(candidate, "www") && !has(candidate, "http://") && !has(candidate, "https://")) {
            return;
        }
        for (const auto& marker : markers) {
            const auto at = marker.empty() ? std::string::npos : work.find(marker);
            if (at != std::string::npos) {
                work.resize(at);
            }
        }
        const std::string token(NextToken(work, {"\t\n\r ,;", 6}, cursor));
        if (!token.empty()) {
            if ((has(token, "http:") || has(token, "https:")) && !urls.contains(token)) {
                work = token;
            }
            if (has(token, "www") && !urls.contains(token)) {
                work = token;
            }
        }
        work += "/";
        const auto http = work.find("http://");
        const auto https = work.find("https://");
        candidate.clear();
        if (http != std::string::npos || https != std::string::npos) {
            const bool secure = http == std::string::npos || (https != std::string::npos && https < http);
            const auto inner = secure ? https + 8 : http + 7;
            const auto end = work.find('/', inner);
            if (end != std::string::npos) {
                candidate = work.substr(inner, end - inner);
            }
        }
        const bool blank = std::all_of(candidate.begin(), candidate.end(),
                                       [](char ch) { return static_cast<unsigned char>(ch) <= 32; });
        if (blank) {
            candidate = work.substr(0, work.find('/'));
        }
        if ((has(candidate, ".com") || has(candidate, ".net") || has(candidate, ".org")) &&
            !page.contains(candidate) && !urls.contains(candidate)) {
            urls.append(candidate);
        }
        if (cursor == 0) {
            return;
        }
    }
}

TEST(ReferenceAgreement, RandomLinesGiveTheSameHosts)
{
    const std::vector<std::string> pieces{
        "www", ".", "com", ".com", ".net", ".org", "http://", "https://", "http:",  "/", "//", " ", " ",
        ",",   ";", "\t",  "\"",   "a",    "B",    "x",       "c",        "Cached", "-", ":",  "s"};
    const std::vector<std::string> markerPool{"Cached", "//", "c/", " - ", "x", "/ /", "s//"};
    std::mt19937 random(20260101);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            line += pieces[random() % pieces.size()];
        }
        CutMarkers markers;
        for (const auto& marker : markerPool) {
            if (random() % 4 == 0) {
                markers.push_back(marker);
            }
        }
        UrlList fast;
        UrlList reference;
        if (random() % 3 == 0) {
            fast.append("www.com");
            reference.append("www.com");
        }
        const PageLines page({line, "www.a.com"});
        parsepage(line, markers, fast);
        referenceParsepage(line, markers, page, reference);
        // The old passes cut at markers reaching into the "/" they appended
        // themselves; such a cut is no part of the page.
        const bool markerWithSlash =
            std::any_of(markers.begin(), markers.end(),
                        [](const std::string& marker) { return marker.find('/') != std::string::npos; });
        for (const std::string& entry : markerWithSlash ? Texts{} : reference.texts()) {
            const std::string host = checkedHostName(entry);
            if (host.empty() || !TldFilter{}.accepts(host)) {
                continue;
            }
            // A word glued in front of "www." is no part of the host any more.
            const std::size_t www = host.find("www.");
            const bool glued =
                www != std::string::npos && www > 0 && host.find('.') == www + 3 && host.find('-') > www;
            ASSERT_TRUE(fast.contains(host) || (glued && fast.contains(host.substr(www))))
                << "line: [" << line << "] markers: " << markers.size() << " host: " << host;
        }
    }
}

} // namespace
} // namespace ostrevo
