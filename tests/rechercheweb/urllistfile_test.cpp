// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/urllistfile.h"

#include "platform/errors.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using Texts = std::vector<std::string>;
using test::readFile;
using test::TempFolder;

Texts textLinesOf(std::string_view content)
{
    UrlList urls;
    addTextListLines(content, urls);
    return urls.texts();
}

Texts htmlLinksOf(std::string_view content)
{
    UrlList urls;
    addHtmlListLinks(content, urls);
    return urls.texts();
}

TEST(TextListFiles, LinesEndAtCrLfLfOrALoneCr)
{
    EXPECT_EQ(textLinesOf("a.com\r\nb.com\r\n"), (Texts{"a.com", "b.com"}));
    EXPECT_EQ(textLinesOf("a.com\rb.com"), (Texts{"a.com", "b.com"}));
    // A list another program saved with Linux line ends.
    EXPECT_EQ(textLinesOf("a.com\nb.com\r\n"), (Texts{"a.com", "b.com"}));
    // Ctrl-Z ends the file.
    EXPECT_EQ(textLinesOf("a.com\r\n\x1a"
                          "b.com\r\n"),
              Texts{"a.com"});
}

TEST(TextListFiles, RepeatsAndEmptyLinesAreAddedOnce)
{
    EXPECT_EQ(textLinesOf("a.com\r\n\r\nA.COM\r\n\r\nb.com"), (Texts{"a.com", "", "b.com"}));
    EXPECT_EQ(textLinesOf(""), Texts{});
}

TEST(HtmlListFiles, ThreeLinkFormsInThreePasses)
{
    const std::string page = "<p><a href=\"http://two.com/\">2</a> <A HREF='http://one.com/'>1</A>"
                             "<A HREF=\"http://three.org/\">3</A> <a href=\"http://TWO.com/\">again</a>";
    // Pass by pass; each pass ends with the empty text of its failed search.
    EXPECT_EQ(htmlLinksOf(page), (Texts{"http://one.com/", "", "http://two.com/", "http://three.org/"}));
}

TEST(HtmlListFiles, OtherFormsAreNotLinks)
{
    EXPECT_EQ(htmlLinksOf("<A href=\"http://mixed.com/\"> <a href = \"http://spaced.com/\"> "
                          "<a href='http://single.com/'>"),
              Texts{""});
}

TEST(HtmlListFiles, PageWithoutLinksAddsOneEmptyEntry)
{
    EXPECT_EQ(htmlLinksOf("<html><body>no links</body></html>"), Texts{""});
    EXPECT_EQ(htmlLinksOf(""), Texts{""});
    UrlList urls;
    urls.append("");
    addHtmlListLinks("<p>none</p>", urls);
    EXPECT_EQ(urls.count(), 1);
}

TEST(HtmlListFiles, UnclosedLinkEndsThePass)
{
    EXPECT_EQ(htmlLinksOf("<a href=\"http://a.com/\"> <a href=\"http://never-closed.com/"),
              (Texts{"", "http://a.com/"}));
}

TEST(ListFileKind, HtmAnywhereInThePathIgnoringCase)
{
    EXPECT_TRUE(isHtmlListFile("/home/u/links.html"));
    EXPECT_TRUE(isHtmlListFile("/home/u/LINKS.HTM"));
    EXPECT_TRUE(isHtmlListFile("/home/u/pages.htm/list.txt"));
    EXPECT_FALSE(isHtmlListFile("/home/u/list.txt"));
    EXPECT_FALSE(isHtmlListFile("/home/u/list.ht"));
}

TEST(OpenListFile, ReadsTextOrHtmlByName)
{
    TempFolder folder;
    const auto text = folder.write("List.TXT", "a.com\r\nb.com\r\n");
    // The folder name alone makes this an HTML read; the original letter case
    // of the path is kept for opening.
    const auto html = folder.write("Pages.HTM/list.txt", "<A HREF='http://c.com/'>c</A>\r\na.com\r\n");
    UrlList urls;
    urls.append("b.com");
    openUrlListFile(text, urls);
    openUrlListFile(html, urls);
    EXPECT_EQ(urls.texts(), (Texts{"b.com", "a.com", "http://c.com/", ""}));
}

TEST(OpenListFile, MissingFilesRaiseTheRuntimeErrors)
{
    TempFolder folder;
    UrlList urls;
    urls.append("kept.com");
    try {
        openUrlListFile(folder.path() / "missing.txt", urls);
        FAIL() << "no error";
    } catch (const FileNotFoundError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    const auto missingHtml = folder.path() / "missing.html";
    try {
        openUrlListFile(missingHtml, urls);
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missingHtml.string());
    }
    EXPECT_THROW(openUrlListFile(folder.path(), urls), FileOpenError); // a folder, not a file
    EXPECT_EQ(urls.texts(), Texts{"kept.com"});
}

TEST(SaveListFile, OneEntryPerCrLfLineAndBackAgain)
{
    TempFolder folder;
    UrlList urls;
    urls.append("b.com");
    urls.append("", true);
    urls.append("a.com");
    const auto file = folder.path() / "out.txt";
    folder.write("out.txt", "previous content that is longer than the new one\r\n");
    saveUrlListFile(file, urls);
    EXPECT_EQ(readFile(file), "b.com\r\n\r\na.com\r\n");
    UrlList back;
    openUrlListFile(file, back);
    EXPECT_EQ(back.texts(), urls.texts());
}

TEST(SaveListFile, UnwritablePlaceRaisesCannotCreateFile)
{
    TempFolder folder;
    UrlList urls;
    urls.append("a.com");
    const auto file = folder.path() / "no-such-folder" / "out.txt";
    try {
        saveUrlListFile(file, urls);
        FAIL() << "no error";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file " + file.string() + ": No such file or directory");
    }
}

} // namespace
} // namespace ostrevo
