// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/urllist.h"

#include "platform/errors.h"
#include "rechercheweb/filterwords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;

UrlList listOf(const Texts& texts)
{
    UrlList urls;
    for (const auto& text : texts) {
        urls.append(text);
    }
    return urls;
}

Texts tickedTexts(const UrlList& urls)
{
    Texts result;
    for (int i = 0; i < urls.count(); ++i) {
        if (urls.isTicked(i)) {
            result.push_back(urls.text(i));
        }
    }
    return result;
}

TEST(UrlListEquality, IgnoresLetterCase)
{
    UrlList urls;
    EXPECT_EQ(urls.append("www.Example.com"), 0);
    EXPECT_EQ(urls.append("WWW.EXAMPLE.COM"), -1);
    EXPECT_TRUE(urls.contains("www.example.com"));
    EXPECT_FALSE(urls.contains("www.example.co"));
    EXPECT_EQ(urls.texts(), Texts{"www.Example.com"});
}

TEST(UrlListEquality, EmptyTextIsAnEntryLikeAnyOther)
{
    UrlList urls;
    EXPECT_FALSE(urls.contains(""));
    EXPECT_EQ(urls.append(""), 0);
    EXPECT_EQ(urls.append(""), -1);
    EXPECT_TRUE(urls.contains(""));
}

TEST(UrlListEquality, UsesTheSuppliedCaseFoldKey)
{
    // A fold that also treats the sharp s as "ss", as full case folding does.
    const auto fold = [](std::string_view text) {
        std::string key = asciiLower(text);
        for (std::size_t at; (at = key.find("\xC3\x9F")) != std::string::npos;) {
            key.replace(at, 2, "ss");
        }
        return key;
    };
    UrlList urls(fold);
    urls.append("strasse.com");
    EXPECT_TRUE(urls.contains("STRA\xC3\x9F"
                              "E.COM"));
    EXPECT_EQ(urls.append("stra\xC3\x9F"
                          "e.com"),
              -1);
}

TEST(UrlListEquality, RemovedEntriesCanComeBack)
{
    UrlList urls = listOf({"a.com", "b.com"});
    urls.remove(0);
    EXPECT_FALSE(urls.contains("A.COM"));
    EXPECT_EQ(urls.append("A.com"), 1);
    urls.clear();
    EXPECT_TRUE(urls.isEmpty());
    EXPECT_EQ(urls.append("b.com"), 0);
}

TEST(UrlListIndexes, OutOfRangeRaisesListIndexError)
{
    UrlList urls = listOf({"a.com"});
    EXPECT_THROW(urls.text(1), ListIndexError);
    EXPECT_THROW(urls.isTicked(-1), ListIndexError);
    EXPECT_THROW(urls.setTicked(5, true), ListIndexError);
    EXPECT_THROW(urls.remove(1), ListIndexError);
    try {
        urls.text(7);
    } catch (const ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (7)");
    }
}

TEST(UrlListSorting, AlphabeticSortOrdersIgnoringCaseAndKeepsTicks)
{
    UrlList urls = listOf({"delta.com", "Bravo.com", "alpha.com", "charlie.com"});
    urls.setTicked(1, true); // Bravo
    urls.sortAlphabetically();
    EXPECT_TRUE(urls.isSorted());
    EXPECT_EQ(urls.texts(), (Texts{"alpha.com", "Bravo.com", "charlie.com", "delta.com"}));
    EXPECT_EQ(tickedTexts(urls), Texts{"Bravo.com"});
}

TEST(UrlListSorting, LaterEntriesGoToTheirPlace)
{
    UrlList urls = listOf({"b.com", "d.com"});
    urls.sortAlphabetically();
    EXPECT_EQ(urls.append("C.com", true), 1);
    EXPECT_EQ(urls.append("a.com"), 0);
    EXPECT_EQ(urls.append("e.com"), 4);
    EXPECT_EQ(urls.texts(), (Texts{"a.com", "b.com", "C.com", "d.com", "e.com"}));
    EXPECT_EQ(tickedTexts(urls), Texts{"C.com"});
    // Replacing the content keeps sorted mode.
    urls.assign({"z.com", "y.com"});
    EXPECT_EQ(urls.texts(), (Texts{"y.com", "z.com"}));
}

TEST(UrlListSorting, UsesTheSuppliedSortKey)
{
    // Reverse order as a stand-in for a locale's collation.
    const auto reverseKey = [](std::string_view text) {
        std::string key = asciiLower(text);
        for (char& ch : key) {
            ch = static_cast<char>(255 - static_cast<unsigned char>(ch));
        }
        return key;
    };
    UrlList urls(asciiLower, reverseKey);
    urls.append("a.com");
    urls.sortAlphabetically();
    urls.append("c.com");
    urls.append("b.com");
    EXPECT_EQ(urls.texts(), (Texts{"c.com", "b.com", "a.com"}));
}

TEST(UrlListSorting, ManyInsertionsStayOrderedAndIndexable)
{
    UrlList urls;
    urls.sortAlphabetically();
    std::mt19937 random(7);
    Texts expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string text = "host" + std::to_string(random() % 100000) + ".com";
        const int at = urls.append(text, i % 3 == 0);
        if (at >= 0) {
            ASSERT_EQ(urls.text(at), text);
            expected.push_back(text);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(urls.texts(), expected);
    // Removing from the middle keeps indexes right.
    while (urls.count() > 10) {
        const int index = static_cast<int>(random() % static_cast<unsigned>(urls.count()));
        const std::string text = urls.text(index);
        urls.remove(index);
        expected.erase(std::find(expected.begin(), expected.end(), text));
    }
    EXPECT_EQ(urls.texts(), expected);
}

TEST(UrlListEquality, RandomAppendsAndRemovalsMatchASimpleModel)
{
    // Many removals leave erased cells behind in the key set; equality must
    // hold through them and through the set's growth.
    std::mt19937 random(11);
    UrlList urls;
    Texts model; // list order, first spelling kept
    const auto modelHas = [&](const std::string& text) {
        return std::any_of(model.begin(), model.end(),
                           [&](const std::string& entry) { return asciiLower(entry) == asciiLower(text); });
    };
    for (int step = 0; step < 20000; ++step) {
        std::string text = "h" + std::to_string(random() % 300) + ".com";
        if (random() % 2 == 0) {
            text[0] = 'H';
        }
        if (random() % 3 != 0 || model.empty()) {
            const bool expectAdded = !modelHas(text);
            ASSERT_EQ(urls.append(text) >= 0, expectAdded) << text;
            if (expectAdded) {
                model.push_back(text);
            }
        } else {
            const auto index = random() % model.size();
            urls.remove(static_cast<int>(index));
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
        }
        ASSERT_EQ(urls.contains(text), modelHas(text));
    }
    EXPECT_EQ(urls.texts(), model);
    UrlList copy(urls);
    ASSERT_FALSE(model.empty());
    EXPECT_EQ(copy.texts(), model);
    EXPECT_EQ(copy.append(model.front()), -1);
}

TEST(UrlListCommands, TickEntriesContainingAnyWord)
{
    UrlList urls = listOf({"shop.a.com", "b.net", "news.org", "xyz.com"});
    EXPECT_EQ(urls.setTickedContaining(splitFilterWords("a;b"), true), 2);
    EXPECT_EQ(tickedTexts(urls), (Texts{"shop.a.com", "b.net"}));
    // Case-sensitive, and entries without a word keep their tick.
    EXPECT_EQ(urls.setTickedContaining(splitFilterWords("NEWS;xyz"), true), 1);
    EXPECT_EQ(tickedTexts(urls), (Texts{"shop.a.com", "b.net", "xyz.com"}));
    EXPECT_EQ(urls.setTickedContaining(splitFilterWords(".net"), false), 1);
    EXPECT_EQ(tickedTexts(urls), (Texts{"shop.a.com", "xyz.com"}));
}

TEST(UrlListCommands, EmptyWordsMatchNothing)
{
    UrlList urls = listOf({"a.com", ";"});
    EXPECT_EQ(urls.setTickedContaining(splitFilterWords(";;"), true), 0);
    EXPECT_EQ(tickedTexts(urls), Texts{});
}

TEST(UrlListCommands, EveryWordOfALongAnswerCounts)
{
    UrlList urls;
    std::string answer;
    for (int i = 0; i < 500; ++i) {
        urls.append("host" + std::to_string(i) + ".com");
        answer += "word" + std::to_string(i) + ";";
    }
    answer += std::string(20000, 'x') + ";host499.";
    EXPECT_EQ(urls.setTickedContaining(splitFilterWords(answer), true), 1);
    EXPECT_EQ(tickedTexts(urls), Texts{"host499.com"});
}

TEST(UrlListCommands, DeleteUnticked)
{
    UrlList urls = listOf({"a.com", "b.com", "c.com", "d.com", "e.com"});
    urls.setTicked(1, true);
    urls.setTicked(2, true);
    EXPECT_EQ(urls.removeUnticked(), 3);
    EXPECT_EQ(urls.texts(), (Texts{"b.com", "c.com"}));
    EXPECT_FALSE(urls.contains("a.com"));
    EXPECT_EQ(urls.append("A.com"), 2);
}

TEST(UrlListCommands, AssignLeavesOutRepeatsAndUnticks)
{
    UrlList urls = listOf({"old.com"});
    urls.setTicked(0, true);
    urls.assign({"x.com", "X.COM", "y.com"});
    EXPECT_EQ(urls.texts(), (Texts{"x.com", "y.com"}));
    EXPECT_EQ(tickedTexts(urls), Texts{});
    EXPECT_FALSE(urls.contains("old.com"));
}

TEST(FilterWords, SplitAtSemicolonsUntrimmed)
{
    EXPECT_EQ(splitFilterWords("a;b"), (Texts{"a", "b"}));
    EXPECT_EQ(splitFilterWords(" a ; b"), (Texts{" a ", " b"}));
    EXPECT_EQ(splitFilterWords(";;"), (Texts{"", "", ""}));
    EXPECT_EQ(splitFilterWords("a;"), (Texts{"a", ""}));
    EXPECT_EQ(splitFilterWords("word"), Texts{"word"});
}

// Records the notifications a Qt model adapter would forward.
class Recorder : public UrlListObserver {
public:
    void entryAboutToBeInserted(int index) override { log += "+" + std::to_string(index) + " "; }
    void entryInserted() override { log += "+. "; }
    void entryAboutToBeRemoved(int index) override { log += "-" + std::to_string(index) + " "; }
    void entryRemoved() override { log += "-. "; }
    void ticksChanged(int first, int last) override
    {
        log += "t" + std::to_string(first) + ":" + std::to_string(last) + " ";
    }
    void aboutToReset() override { log += "r "; }
    void reset() override { log += "r. "; }
    std::string log;
};

TEST(UrlListObserverTest, AnnouncesEveryChangeBeforeAndAfter)
{
    UrlList urls;
    Recorder recorder;
    urls.setObserver(&recorder);
    urls.append("b.com");
    urls.append("B.COM"); // present: nothing happens
    urls.append("a.com");
    urls.setTicked(1, true);
    urls.setTicked(1, true); // unchanged: nothing to tell
    urls.sortAlphabetically();
    urls.append("c.com");
    urls.remove(0);
    urls.setTickedContaining({"zzz"}, true);
    urls.setTickedContaining({"c"}, true);
    urls.clear();
    EXPECT_EQ(recorder.log, "+0 +. +1 +. t1:1 r r. +2 +. -0 -. t0:1 r r. ");
}

TEST(UrlListObserverTest, ListIsStillWholeWhenAResetIsAnnounced)
{
    class CountAtReset : public Recorder {
    public:
        explicit CountAtReset(const UrlList& list) : urls(list) {}
        void aboutToReset() override { counts.push_back(urls.count()); }
        const UrlList& urls;
        std::vector<int> counts;
    };
    UrlList urls = listOf({"b.com", "a.com"});
    CountAtReset observer(urls);
    urls.setObserver(&observer);
    urls.sortAlphabetically();
    urls.removeUnticked();
    EXPECT_EQ(observer.counts, (std::vector<int>{2, 2}));
}

} // namespace
} // namespace ostrevo
