// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkextraction.h"

#include "textscan/textscan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;

// One call on `line`, with the page made of that line, after `before` was in
// the list; returns what the call appended.
Texts appendedBy(const std::string& line, const Texts& before = {}, const CutMarkers& markers = {})
{
    UrlList urls;
    for (const auto& entry : before) {
        urls.append(entry);
    }
    const PageLines page({line});
    parsepage(line, markers, page, urls);
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
    ::testing::Values(
        LineCase{"www.example.com/page - 12k - Cached", {}, {"www.example.com"}},
        // The first pass takes the line's first link, the second makes its
        // token the work text, which ends the line.
        LineCase{"Visit http://www.example.net/x and http://example.org/y", {}, {"www.example.net"}},
        LineCase{"http://example.com/ page", {}, {"example.com"}}, LineCase{"see example.com here", {}, {}},
        // Candidates taken from the whole line are the line itself, a page line.
        LineCase{"see example.com at www", {}, {}}, LineCase{"WWW.EXAMPLE.COM/", {}, {}},
        LineCase{"www.EXAMPLE.com/a", {"www.example.com"}, {}},
        LineCase{"www.example.com/a www.example.org/b", {"www.example.com"}, {}},
        LineCase{"www.network.example/", {}, {"www.network.example"}},
        LineCase{"www.example.com.au/", {}, {"www.example.com.au"}},
        LineCase{"see http://foo bar.example.com/x", {}, {"foo bar.example.com"}},
        LineCase{"He said, \"see www.example.com today\"", {}, {"\"see www.example.com today\""}},
        // A token equal to an entry is not taken: that pass's candidate is the
        // line up to its first "/", and the next token gives its host.
        LineCase{"www.example.com www.example.org/b",
                 {"www.example.com"},
                 {"www.example.com www.example.org", "www.example.org"}},
        LineCase{"", {}, {}}));

INSTANTIATE_TEST_SUITE_P(
    Https, ResultLines,
    ::testing::Values(LineCase{"https://www.example.com/x", {}, {"www.example.com"}},
                      LineCase{"Visit https://example.org/y", {}, {"example.org"}},
                      LineCase{"go https://shop.example.net:8443/cart now", {}, {"shop.example.net:8443"}},
                      // The earlier of the two schemes gives the host.
                      LineCase{"see https://a.example.com/ and http://b.example.com/", {}, {"a.example.com"}},
                      LineCase{"see http://b.example.com/ and https://a.example.com/", {}, {"b.example.com"}},
                      // Schemes in capitals: the host in lower case.
                      LineCase{"HTTPS://ALPHA-7.COM/", {}, {"alpha-7.com"}},
                      LineCase{"see Http://Www.Beta.Org/x", {}, {"www.beta.org"}},
                      LineCase{"hTtP://GAMMA.NET", {}, {"gamma.net"}}));

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
    // Without a "/" the first candidate is the line itself, which stands on
    // the page in other letters.
    UrlList urls;
    const PageLines page({"SEE www.example.com NOW"});
    parsepage("see www.example.com now", {}, page, urls);
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
    // The first pass takes the line up to its first "/"; the link's own pass
    // takes its host.
    EXPECT_EQ(appendedBy(line), (Texts{line.substr(0, line.find('/')), "www.late.com"}));
}

// The algorithm exactly as written, every pass doing all its work; parsepage
// must agree with it on any line.
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
        parsepage(line, markers, page, fast);
        referenceParsepage(line, markers, page, reference);
        ASSERT_EQ(fast.texts(), reference.texts()) << "line: [" << line << "] markers: " << markers.size();
    }
}

} // namespace
} // namespace ostrevo
