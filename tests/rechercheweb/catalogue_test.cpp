// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/catalogue.h"

#include "rechercheweb/catalogueupdate.h"
#include "tempfolder.h"
#include "textscan/linesplit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;
using test::readFile;
using test::TempFolder;

std::string numberedLines(int count, std::string_view ending)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line" + std::to_string(i);
        text += ending;
    }
    return text;
}

TEST(TextFileLines, CrLfLfOrALoneCrEndALine)
{
    EXPECT_EQ(textFileLines("a\r\nb\rc"), (Texts{"a", "b", "c"}));
    EXPECT_EQ(textFileLines("a\r\n\r\n"), (Texts{"a", ""}));
    // What other programs write: LF alone, or LF CR.
    EXPECT_EQ(textFileLines("http://www.reddit.com/r/x\nslashdot.org\nimdb.com\n"),
              (Texts{"http://www.reddit.com/r/x", "slashdot.org", "imdb.com"}));
    EXPECT_EQ(textFileLines("a\n\rb"), (Texts{"a", "", "b"}));
    EXPECT_EQ(textFileLines("\r"), Texts{""});
    EXPECT_EQ(textFileLines(""), Texts{});
}

TEST(TextFileLines, CtrlZEndsTheFile)
{
    EXPECT_EQ(textFileLines("a\r\nb\x1a\r\nc\r\n"), (Texts{"a", "b"}));
    EXPECT_EQ(textFileLines("\x1a"
                            "a\r\n"),
              Texts{});
}

TEST(SplitLines, CrLfOrThePairEndALine)
{
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\rb\r\n"), (Texts{"a", "", "b"}));
    EXPECT_EQ(splitLines(std::string("a\0b\nc", 5)), (Texts{std::string("a\0b", 3), "c"}));
    EXPECT_EQ(splitLines(""), Texts{});
}

TEST(EngineNames, LineOneOfEveryBlockOfSixWhateverTheLineEnds)
{
    EXPECT_EQ(engineNames(numberedLines(13, "\r\n")), (Texts{"line1", "line7", "line13"}));
    EXPECT_EQ(engineNames(numberedLines(12, "\r")), (Texts{"line1", "line7"}));
    EXPECT_EQ(engineNames(numberedLines(12, "\n")), (Texts{"line1", "line7"}));
    EXPECT_EQ(engineNames(numberedLines(12, "\r\n") + "\r\n\r\n"), (Texts{"line1", "line7"}));
    EXPECT_EQ(engineNames(""), Texts{});
}

TEST(EngineNames, ReadFromTheFile)
{
    TempFolder folder;
    const auto file = folder.write("listex.txt", numberedLines(7, "\r\n"));
    EXPECT_EQ(readEngineNames(file), (Texts{"line1", "line7"}));
    folder.write("empty.txt", "");
    EXPECT_EQ(readEngineNames(folder.path() / "empty.txt"), Texts{});
    EXPECT_THROW(readEngineNames(folder.path() / "missing.txt"), FileNotFoundError);
}

TEST(CatalogueEntries, BlocksOfSixWithAShortLastBlock)
{
    const auto entries = catalogueEntries(splitLines(numberedLines(8, "\r\n")));
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].name, "line1");
    EXPECT_EQ(entries[0].cutMarker, "line6");
    EXPECT_EQ(entries[1].name, "line7");
    EXPECT_EQ(entries[1].urlHead, "line8");
    EXPECT_EQ(entries[1].urlMiddle, "");
}

const Texts Catalogue{"Alpha", "http://alpha.example/search?q=", "&first=", "0",  "10", " - Cached",
                      "Beta",  "http://beta.example/?s=",        "&p=",     "1",  "1",  "   ",
                      "Gamma", "http://gamma.example/find?k=",   "&o=",     "00", "20", "More"};

TEST(EnginesForRun, TicksNamesInTheirOwnOrder)
{
    const auto engines = enginesForRun(Catalogue, {"Gamma", "Alpha"});
    ASSERT_EQ(engines.size(), 2U);
    EXPECT_EQ(engines[0].name, "Gamma");
    EXPECT_EQ(engines[0].urlHead, "http://gamma.example/find?k=");
    EXPECT_EQ(engines[0].firstOffset, "00");
    EXPECT_EQ(engines[1].urlMiddle, "&first=");
    EXPECT_EQ(engines[1].step, "10");
    EXPECT_EQ(cutMarkersOf(engines), (Texts{"More", " - Cached"}));
}

TEST(EnginesForRun, BlankCutLinesGiveNoMarker)
{
    EXPECT_EQ(cutMarkersOf(enginesForRun(Catalogue, {"Beta"})), Texts{});
}

TEST(EnginesForRun, ANameRepeatedLaterDoesNotShiftOtherEngines)
{
    Texts catalogue = Catalogue;
    catalogue[10] = "Alpha"; // Beta's step line happens to read "Alpha"
    const auto engines = enginesForRun(catalogue, {"Alpha", "Gamma"});
    ASSERT_EQ(engines.size(), 2U);
    EXPECT_EQ(engines[0].urlHead, "http://alpha.example/search?q=");
    EXPECT_EQ(engines[1].urlHead, "http://gamma.example/find?k=");
}

TEST(EnginesForRun, NamesAreMatchedOnlyAtTheStartOfABlock)
{
    Texts catalogue = Catalogue;
    catalogue[12] = "10"; // an engine named like Alpha's step line
    const auto engines = enginesForRun(catalogue, {"10"});
    ASSERT_EQ(engines.size(), 1U);
    EXPECT_EQ(engines[0].urlHead, "http://gamma.example/find?k=");
    EXPECT_THROW(enginesForRun(Catalogue, {"&first="}), EngineNotFoundError);
}

TEST(EnginesForRun, NamesMatchExactly)
{
    EXPECT_THROW(enginesForRun(Catalogue, {"alpha"}), EngineNotFoundError);
    try {
        enginesForRun(Catalogue, {"Delta"});
    } catch (const EngineNotFoundError& e) {
        EXPECT_STREQ(e.what(), "Search engine 'Delta' not found in listex.txt");
    }
}

TEST(EnginesForRun, CatalogueCutShortRaisesListIndexError)
{
    const Texts cut(Catalogue.begin(), Catalogue.begin() + 16); // Gamma lacks lines 5 and 6
    try {
        enginesForRun(cut, {"Gamma"});
        FAIL() << "no error";
    } catch (const ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (16)");
    }
}

TEST(CatalogueLines, ReadWholeWithEveryLineEnd)
{
    TempFolder folder;
    const auto file = folder.write("listex.txt", "Alpha\nhead\r\nmiddle\r0\r\n10\r\n\r\n");
    EXPECT_EQ(readCatalogueLines(file), (Texts{"Alpha", "head", "middle", "0", "10", ""}));
    const auto missing = folder.path() / "listex-missing.txt";
    try {
        readCatalogueLines(missing);
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing.string());
    }
}

const std::string GoodBlock =
    "Google\r\nhttp://www.google.com/search?q=\r\n&start=\r\n0\r\n10\r\n - Cached\r\n";

std::string block(const std::string& name, const std::string& head, const std::string& offset,
                  const std::string& step)
{
    return name + "\r\n" + head + "\r\n&p=\r\n" + offset + "\r\n" + step + "\r\n\r\n";
}

TEST(CatalogueUpdate, AcceptedOnlyWhenEveryBlockIsWellFormed)
{
    EXPECT_TRUE(isAcceptableCatalogue(GoodBlock));
    EXPECT_TRUE(isAcceptableCatalogue(GoodBlock + block("Bing", "HTTPS://b.example/?q=", "2147483647", "0")));
    EXPECT_TRUE(isAcceptableCatalogue("GOOGLE\nhttp://g/?q=\n&s=\n1\n1\n\n\n"));
    const std::string refused[] = {
        "Status:404",
        "",
        "goo gle",
        "Google\r\nhttp://www.google.com/search?q=",
        GoodBlock + "Bing\r\n",
        GoodBlock + block("Local", "file:///etc/hostname?", "0", "10"),
        GoodBlock + block("Data", "data:text/html,", "0", "10"),
        GoodBlock + block("Source", "view-source:http://x/?q=", "0", "10"),
        GoodBlock + block("Chrome", "chrome://settings/?", "0", "10"),
        GoodBlock + block("Minus", "http://m/?q=", "-1", "10"),
        GoodBlock + block("Huge", "http://h/?q=", "0", "2147483648"),
        GoodBlock + block("Word", "http://w/?q=", "ten", "10"),
        GoodBlock + block(" ", "http://w/?q=", "0", "10"),
        "Google\r\nhttp://g/?q=\r\n&s=\r\n0\r\n10\r\n" + std::string(kMaxCatalogueBytes, 'x'),
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(isAcceptableCatalogue(refused[i])) << "case " << i;
    }
}

TEST(CatalogueUpdate, WritesTheBodyAsItCameThenCrLf)
{
    TempFolder folder;
    const auto target = folder.write("listex.txt", "old catalogue\r\n");
    using namespace std::string_literals;
    const std::string body = "Google\nhttp://g/?q=\r\n&start=\r\n0\r\n10\r\n\0x"s;
    EXPECT_TRUE(installCatalogue(body, target));
    EXPECT_EQ(readFile(target), body + "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "temporary file left";
}

TEST(CatalogueUpdate, RejectedDownloadLeavesTheFileAlone)
{
    TempFolder folder;
    const auto target = folder.write("listex.txt", "old catalogue\r\n");
    EXPECT_FALSE(installCatalogue("Status:500", target));
    EXPECT_EQ(readFile(target), "old catalogue\r\n");
}

TEST(CatalogueUpdate, FailedWriteKeepsTheOldCatalogue)
{
    TempFolder folder;
    const auto target = folder.write("listex.txt", "old catalogue\r\n");
    // A file size limit makes the write of the new file fail halfway, as a
    // full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        installCatalogue("Google\r\nhttp://g/?q=\r\n&s=\r\n0\r\n10\r\n" + std::string(100000, 'x'), target);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file " + target.string() + ": File too large");
        raised = true;
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_TRUE(raised);
    EXPECT_EQ(readFile(target), "old catalogue\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "temporary file left";
}

TEST(CatalogueUpdate, MissingFolderRaisesCannotCreateFile)
{
    TempFolder folder;
    const auto target = folder.path() / "gone" / "listex.txt";
    try {
        installCatalogue(GoodBlock, target);
        FAIL() << "no error";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file " + target.string() + ": No such file or directory");
    }
}

} // namespace
} // namespace ostrevo
