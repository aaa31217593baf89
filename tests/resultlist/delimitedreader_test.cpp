// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::MirrorObserver;
using test::rowsOf;
using test::RowTexts;
using test::TempFolder;
using Rows = std::vector<RowTexts>;

using test::addRow;

class DelimitedReader : public ::testing::Test {
protected:
    DelimitedReader() { test::setUpProgramTable(table); }

    // Loads `bytes` as a file into `into` (the fixture's table by default).
    void load(std::string_view bytes, ResultTable* into = nullptr)
    {
        const fs::path file = dir.file("in" + std::to_string(m_files++) + ".csv");
        test::writeFile(file, bytes);
        (into ? *into : table).LoadFromDelimitedFile(file);
    }

    Rows loaded(std::string_view bytes)
    {
        load(bytes);
        return rowsOf(table);
    }

    TempFolder dir;
    ResultTable table;

private:
    int m_files = 0;
};

// Opening

TEST_F(DelimitedReader, UnopenableFileRaisesAndChangesNothing)
{
    addRow(table, "kept");
    MirrorObserver observer(table);
    for (const fs::path& name : {dir.file("missing.csv"), dir.path()}) {
        try {
            table.LoadFromDelimitedFile(name);
            FAIL() << "no error for " << name;
        } catch (const EResultListError& error) {
            EXPECT_STREQ(error.what(), "File cannot be opened");
        }
    }
    EXPECT_EQ(rowsOf(table), (Rows{{"kept"}}));
    EXPECT_EQ(table.Delimiter(), 0);
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
    EXPECT_TRUE(observer.log.empty());
}

TEST_F(DelimitedReader, ReadErrorNamesTheFileAndClosesTheBulkUpdate)
{
    // Reading a process's memory at offset 0 fails with an I/O error.
    table.SetDelimiter(',');
    try {
        table.LoadFromDelimitedFile("/proc/self/mem");
        FAIL() << "no error";
    } catch (const EResultListError&) {
        FAIL() << "a read error is not an open error";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Cannot read file /proc/self/mem: Input/output error");
    }
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
    EXPECT_EQ(table.SortType(), SortType::stBoth);
}

// Delimiter detection

TEST_F(DelimitedReader, DetectsSemicolonsAndKeepsThemForSaving)
{
    EXPECT_EQ(loaded("a;b;c\r\nd;e;f\r\n"), (Rows{{"a", "b", "c"}, {"d", "e", "f"}}));
    EXPECT_EQ(table.Delimiter(), ';');
    table.SaveToDelimitedFile(dir.file("out.csv"));
    EXPECT_EQ(test::readFile(dir.file("out.csv")), "Web sites;Email;Expires\r\na;b;c\r\nd;e;f\r\n");
    // Later reads use it without detecting again.
    table.ClearRows();
    EXPECT_EQ(loaded("x,y;z\r\n1,2;3\r\n"), (Rows{{"1,2", "3"}, {"x,y", "z"}}));
}

TEST_F(DelimitedReader, UnequalCountsDetectNothingAndReadWithCommas)
{
    EXPECT_EQ(loaded("a,b,c\r\nd,e,f,g\r\n"), (Rows{{"a", "b", "c"}, {"d", "e", "f", "g"}}));
    EXPECT_EQ(table.Delimiter(), ','); // every line split: rows may be shorter or longer
    table.ClearRows();
    table.SetDelimiter(0);
    load("a,b,c\r\na,,c\r\n");
    EXPECT_EQ(table.Delimiter(), ','); // empty fields are fields
    table.ClearRows();
    table.SetDelimiter(0);
    load("a;b;c\r\n");
    EXPECT_EQ(table.Delimiter(), 0);
    EXPECT_EQ(rowsOf(table), (Rows{{"a;b;c"}}));
}

TEST_F(DelimitedReader, DetectsOnTheFirstTwoPhysicalLinesOnly)
{
    load("a|b\r\nc|d\r\ne,f,g\r\n");
    EXPECT_EQ(table.Delimiter(), '|');
    EXPECT_EQ(rowsOf(table), (Rows{{"a", "b"}, {"c", "d"}, {"e,f,g"}}));
}

TEST_F(DelimitedReader, DetectsFilesWithEmptyFieldsAndEmptyLines)
{
    const struct {
        std::string_view bytes;
        char delimiter;
        Rows rows;
    } cases[] = {
        {"a;b;c\r\nd;;\r\n", ';', {{"a", "b", "c"}, {"d", ""}}},
        {"a\tb\t\tc\r\nd\t\te\tf\r\n", '\t', {{"a", "b", "", "c"}, {"d", "", "e", "f"}}},
        {"a;b;c\r\r\nd;e;f\r\r\n", ';', {{"a", "b", "c"}, {"d", "e", "f"}}},
        // Saved with an earlier version: the header padded with empty captions.
        {"Web sites;Email;Expires;;;\"\"\r\na;b;c;d;e;\"\"\r\nf;g;h;;;i\r\n",
         ';',
         {{"a", "b", "c", "d", "e", ""}, {"f", "g", "h", "", "", "i"}}},
    };
    for (const auto& c : cases) {
        ResultTable fresh;
        test::setUpProgramTable(fresh);
        load(c.bytes, &fresh);
        EXPECT_EQ(fresh.Delimiter(), c.delimiter) << c.bytes;
        EXPECT_EQ(rowsOf(fresh), c.rows) << c.bytes;
    }
}

// Text encodings

std::string utf16WithMark(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xfe\xff" : "\xff\xfe";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST_F(DelimitedReader, ByteOrderMarksAndUtf16)
{
    const std::u16string unicodeText =
        u"Web sites\tEmail\tExpires\r\nhttp://caf\u00e9.com\t\U0001F600\t2027/03/04\r\n";
    const Rows rows = {{"http://caf\xc3\xa9.com", "\xf0\x9f\x98\x80", "2027/03/04"}};
    for (const std::string& bytes : {utf16WithMark(unicodeText, false), utf16WithMark(unicodeText, true)}) {
        ResultTable fresh;
        test::setUpProgramTable(fresh);
        load(bytes, &fresh);
        EXPECT_EQ(fresh.Delimiter(), '\t');
        EXPECT_EQ(rowsOf(fresh), rows);
    }
    // The header after a UTF-8 mark is still the header.
    EXPECT_EQ(loaded("\xef\xbb\xbfWeb sites,Email,Expires\r\na,b,c\r\n"), (Rows{{"a", "b", "c"}}));
    // Without a mark, UTF-16 is no text.
    EXPECT_THROW(load(utf16WithMark(unicodeText, false).substr(2)), EResultListError);
}

TEST_F(DelimitedReader, Utf16AcrossReadBlocks)
{
    std::u16string text;
    Rows expected;
    for (int i = 0; i < 40000; ++i) {
        const std::string host = "http://h" + std::to_string(100000 + i) + ".com";
        text += std::u16string(host.begin(), host.end()) + u"\t\U0001F600\u00e9\r\n";
        expected.push_back({host, "\xf0\x9f\x98\x80\xc3\xa9"});
    }
    table.SetDelimiter('\t');
    EXPECT_EQ(loaded(utf16WithMark(text, false)), expected);
}

TEST_F(DelimitedReader, StrayNulsAreLeftOutAndReportedAfterTheRows)
{
    std::string large;
    while (large.size() < (2u << 20)) {
        large += "http://h" + std::to_string(large.size()) + ".com,x\r\n";
    }
    const auto largeRows = static_cast<std::size_t>(std::count(large.begin(), large.end(), '\n'));
    const struct {
        std::string bytes;
        std::size_t rows;
        std::string_view message;
    } cases[] = {
        {"a,b\r\nc,d\0e\r\n"s, 2, "without 1 NUL byte, which is not text"},
        {large + "http://z.com\0,\0x\r\n"s, largeRows + 1, "without 2 NUL bytes, which are not text"},
    };
    for (const auto& c : cases) {
        table.ClearRows();
        try {
            load(c.bytes);
            ADD_FAILURE() << "no report";
        } catch (const EResultListError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        EXPECT_EQ(static_cast<std::size_t>(table.RowCount()), c.rows);
        EXPECT_EQ(table.BulkUpdateDepth(), 0);
    }
    EXPECT_EQ(rowsOf(table).back(), (RowTexts{"http://z.com", "x"}));
    table.ClearRows();
    EXPECT_THROW(load("a,b\r\nc,d\0e\r\n"s), EResultListError);
    EXPECT_EQ(rowsOf(table), (Rows{{"a", "b"}, {"c", "de"}}));
}

// Data lines

TEST_F(DelimitedReader, EmptyFileAddsNoRow)
{
    addRow(table, "kept");
    EXPECT_EQ(loaded(""), (Rows{{"kept"}}));
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
}

TEST_F(DelimitedReader, FieldRulesOfTheLines)
{
    table.SetSortType(SortType::stNone);
    EXPECT_EQ(loaded("a,\"x,y\"\r\n"
                     "a,\"\"\r\n"
                     "a,\r\n"
                     "a,b,\r\n"
                     "\r\n"
                     ",b\r\n"
                     "a,,c\r\n"),
              (Rows{{"a", "x,y"}, {"a", ""}, {"a"}, {"a", "b"}, {"", "b"}, {"a", "", "c"}}));
    EXPECT_EQ(table.ColumnCount(), 3);
}

TEST_F(DelimitedReader, UnquotedFourthFieldAddsAColumn)
{
    EXPECT_EQ(loaded("a,b,c,d\r\n"), (Rows{{"a", "b", "c", "d"}}));
    EXPECT_EQ(table.ColumnCount(), 4);
    EXPECT_EQ(table.Column(3).Caption, "");
    EXPECT_EQ(table.Column(3).width, 50);
}

TEST_F(DelimitedReader, QuotedFieldsAddColumnsLikeOthers)
{
    EXPECT_EQ(loaded("a,\"b\",\"c\",\"d\",\"e\"\r\n"), (Rows{{"a", "b", "c", "d", "e"}}));
    EXPECT_EQ(table.ColumnCount(), 5);
}

TEST_F(DelimitedReader, AfterClearOnlyFieldsThatNeedThemGetColumns)
{
    table.Clear();
    load("a,b,c\r\n");
    EXPECT_EQ(table.ColumnCount(), 1);
    EXPECT_EQ(rowsOf(table), (Rows{{"a", "b", "c"}}));
}

TEST_F(DelimitedReader, QuotedFieldsWithQuotesAndLineBreaks)
{
    table.SetSortType(SortType::stNone);
    EXPECT_EQ(loaded("a,\"say \"\"hi\"\"\"\r\n"
                     "\"two\r\nlines\",\"lf\nonly\",x\r\n"
                     "b,say \"hi\"\r\n"),
              (Rows{{"a", "say \"hi\""}, {"two\r\nlines", "lf\nonly", "x"}, {"b", "say \"hi\""}}));
}

TEST_F(DelimitedReader, UnclosedQuoteIsAPlainCharacter)
{
    EXPECT_EQ(loaded("a,\"b\r\nc,d\r\ne,f\r\n"), (Rows{{"a", "\"b"}, {"c", "d"}, {"e", "f"}}));
}

// Lines

TEST_F(DelimitedReader, LineEndsAndCtrlZ)
{
    table.SetSortType(SortType::stNone);
    EXPECT_EQ(loaded("a\nb,c\rd\r\ne\x1a"
                     "f\r\ng"),
              (Rows{{"a"}, {"b", "c"}, {"d"}, {"e"}}));
}

TEST_F(DelimitedReader, RecordsWithoutAnyTextAreNoRows)
{
    EXPECT_EQ(loaded("\r\r\r"), Rows{});
    EXPECT_EQ(loaded("\x1a\x1a"), Rows{});
    EXPECT_EQ(loaded("\r\n,,,\r\n\"\",\"\"\r\n"), Rows{});
    EXPECT_EQ(loaded(std::string(1 << 20, '\r')), Rows{});
    EXPECT_EQ(table.ColumnCount(), 3);
}

TEST_F(DelimitedReader, ARecordsColumnsComeAtOnceUpToTheTablesLimit)
{
    MirrorObserver observer(table);
    load("a" + std::string(5000, ',') + "z\r\n");
    EXPECT_EQ(table.ColumnCount(), 5001);
    EXPECT_EQ(std::count(observer.log.begin(), observer.log.end(), "reset"), 1);
    EXPECT_EQ(table.Row(0).SubItems().back(), "z");

    const std::string wide = "a" + std::string(ResultTable::kMaxColumns, ',') + "z\r\n";
    try {
        load("b\r\n" + wide);
        FAIL() << "no error";
    } catch (const EResultListError& e) {
        EXPECT_NE(std::string(e.what()).find("a record has 16385 fields, more than the 16384 columns"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(table.ColumnCount(), 5001);
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
}

TEST_F(DelimitedReader, AFileTooLargeForTheMemoryLeftIsRefused)
{
    std::string rows;
    for (int i = 0; i < 10000; ++i) {
        rows += "http://host" + std::to_string(i) + ".com,mailto:a@b.com,2030/01/01\r\n";
    }
    table.setLoadMemoryLimit(1 << 20);
    EXPECT_THROW(load(rows), EResultListError);
    EXPECT_LT(table.RowCount(), 10000);
    table.setLoadMemoryLimit(64 << 20);
    table.ClearRows();
    load(rows);
    EXPECT_EQ(table.RowCount(), 10000);
}

TEST_F(DelimitedReader, KeepsInvalidUtf8)
{
    EXPECT_EQ(loaded("ab,\xff\xc3\x28\r\n"), (Rows{{"ab", "\xff\xc3\x28"}}));
}

TEST_F(DelimitedReader, BinaryFilesAreRefusedAndRowsStay)
{
    addRow(table, "kept");
    for (const std::string& bytes : {"a,b\r\n\0\0\r\n"s, "\x89PNG\r\n\x1a\n\x01\x02\x03\x04\x05\x06"s}) {
        EXPECT_THROW(load(bytes), EResultListError);
        EXPECT_EQ(rowsOf(table), (Rows{{"kept"}}));
        EXPECT_EQ(table.BulkUpdateDepth(), 0);
    }
    // Binary past the first read block: every line before it, and nothing of it.
    std::string textThenBinary;
    while (textThenBinary.size() < (2u << 20)) {
        textThenBinary += "http://h" + std::to_string(textThenBinary.size()) + ".com,x\r\n";
    }
    const auto textRows =
        static_cast<std::size_t>(std::count(textThenBinary.begin(), textThenBinary.end(), '\n'));
    textThenBinary += "\x01\x02partial\0\0garbage,\x7f\r\nmore\r\n"s;
    try {
        load(textThenBinary);
        ADD_FAILURE() << "a binary tail was loaded";
    } catch (const EResultListError& error) {
        EXPECT_NE(std::string(error.what()).find("it is not text from byte "), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(rowsOf(table).size(), textRows + 1);
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
}

TEST_F(DelimitedReader, LinesLongerThanTheReadBuffer)
{
    const std::string longText(3 * 1024 * 1024 + 17, 'x');
    const std::string quoted = "q\r\n" + std::string(2 * 1024 * 1024, 'y');
    table.SetSortType(SortType::stNone);
    EXPECT_EQ(loaded("a," + longText + "\r\n\"" + quoted + "\",b\r\nc\r\n"),
              (Rows{{"a", longText}, {quoted, "b"}, {"c"}}));
}

TEST_F(DelimitedReader, ManyRowsAcrossReadBlocks)
{
    std::string file;
    Rows expected;
    for (int i = 0; i < 60000; ++i) {
        const std::string host = "http://h" + std::to_string(100000 + i) + ".com";
        file += host + ",mailto:a@b.c,\"2027/05/" + std::to_string(10 + i % 20) + "\"\r\n";
        expected.push_back({host, "mailto:a@b.c", "2027/05/" + std::to_string(10 + i % 20)});
    }
    EXPECT_EQ(loaded(file), expected);
}

// Rows and order

TEST_F(DelimitedReader, AddsAfterExistingRowsAndSortsOnce)
{
    addRow(table, "m").SetChecked(true);
    MirrorObserver observer(table);
    load("z,1\r\na,2\r\n");
    EXPECT_EQ(rowsOf(table), (Rows{{"a", "2"}, {"m"}, {"z", "1"}}));
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_TRUE(table.Row(1).Checked());
    EXPECT_EQ(observer.log, (std::vector<std::string>{"suspend", "insert 1 2", "layout", "resume"}));
}

TEST_F(DelimitedReader, ColumnAddedMidFileKeepsEarlierRowsFirst)
{
    table.SetSortType(SortType::stNone);
    MirrorObserver observer(table);
    load("a\r\nb,1,2,3\r\nc\r\n");
    EXPECT_EQ(observer.log,
              (std::vector<std::string>{"suspend", "insert 0 0", "reset", "insert 1 2", "resume"}));
    EXPECT_EQ(table.ColumnCount(), 4);
}

TEST_F(DelimitedReader, WithoutTextSortTypeKeepsFileOrder)
{
    table.SetSortType(SortType::stNone);
    EXPECT_EQ(loaded("b\r\na\r\n"), (Rows{{"b"}, {"a"}}));
}

TEST_F(DelimitedReader, UsesTheCaptionSortKey)
{
    table.setCaptionSortKey(
        [](std::string_view caption) { return std::string(caption.rbegin(), caption.rend()); });
    EXPECT_EQ(loaded("ab\r\nba\r\n"), (Rows{{"ba"}, {"ab"}}));
}

// Header lines

TEST_F(DelimitedReader, SkipsTheHeaderOfItsOwnSaves)
{
    EXPECT_EQ(loaded("Web sites,Email,Expires\r\nhttp://a.com,mailto:a,2026/01/01\r\n"),
              (Rows{{"http://a.com", "mailto:a", "2026/01/01"}}));
    // Only as the first line, and only when it names exactly the columns.
    table.ClearRows();
    EXPECT_EQ(loaded("x\r\nWeb sites,Email,Expires\r\n"), (Rows{{"Web sites", "Email", "Expires"}, {"x"}}));
    table.ClearRows();
    EXPECT_EQ(loaded("Web sites,Email\r\n"), (Rows{{"Web sites", "Email"}}));
    // A save with extra columns names them with empty captions.
    table.ClearRows();
    EXPECT_EQ(loaded("Web sites,Email,Expires,,,\"\"\r\na\r\n"), (Rows{{"a"}}));
    EXPECT_EQ(loaded("Web sites,Email,Expires,,x\r\n"),
              (Rows{{"Web sites", "Email", "Expires", "", "x"}, {"a"}}));
}

TEST_F(DelimitedReader, LoadHeaderReplacesRowsAndColumns)
{
    addRow(table, "old");
    table.SetLoadHeader(true);
    EXPECT_EQ(loaded("Site;Mail;\"Da\"\"te\"\r\nb;1;2\r\na;3;4\r\n"),
              (Rows{{"a", "3", "4"}, {"b", "1", "2"}}));
    EXPECT_EQ(test::columnCaptionsOf(table), (std::vector<std::string>{"Site", "Mail", "Da\"te"}));
    EXPECT_EQ(table.Column(0).width, 50);
}

TEST_F(DelimitedReader, LoadHeaderColumnRules)
{
    table.SetLoadHeader(true);
    load("a,,c,\r\n");
    EXPECT_EQ(test::columnCaptionsOf(table), (std::vector<std::string>{"a", "", "c"}));
    load("a,\"\"\r\n");
    EXPECT_EQ(test::columnCaptionsOf(table), (std::vector<std::string>{"a", ""}));
    load("");
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.RowCount(), 0);
}

// Round trips

class RoundTrip : public DelimitedReader, public ::testing::WithParamInterface<char> {};

TEST_P(RoundTrip, SaveThenLoadKeepsEveryRow)
{
    table.SetDelimiter(GetParam());
    const Rows rows = {
        {"", "", ""},
        {"", "only caption empty"},
        {"\"", "\"\"", "\"x"},
        {"\x1a",
         "ctrl-z\x1a"
         "inside",
         "x"},
        {"a\x01b"s, "\xff\xfe", "\xc3\xa9t\xc3\xa9"},
        {"http://a.com,x;y#z|w\tv", "mailto:a@a.com", ""},
        {"http://b.com", R"(say "hi")", "two\r\nlines"},
        {"http://c.com", "cr\ronly", "lf\nonly"},
        {"http://d.com"},
        {"http://e.com", "mailto:e"},
        {"Web sites", "Email", "Expires"},
        {" padded ", " , ", "\r\n"},
    };
    for (const RowTexts& texts : rows) {
        addRow(table, texts[0], {texts.begin() + 1, texts.end()});
    }
    Rows saved = rowsOf(table);
    table.SaveToDelimitedFile(dir.file("out.csv"));
    table.ClearRows();
    table.LoadFromDelimitedFile(dir.file("out.csv"));
    // Only the row without any text is gone: such a record is no row.
    saved.erase(saved.begin());
    EXPECT_EQ(rowsOf(table), saved);

    // A second save of what was read writes the same bytes, less the empty row.
    std::string first = test::readFile(dir.file("out.csv"));
    const std::string emptyRow = std::string(2, GetParam()) + "\"\"\r\n";
    first.erase(first.find(emptyRow), emptyRow.size());
    table.SaveToDelimitedFile(dir.file("out.csv"));
    EXPECT_EQ(test::readFile(dir.file("out.csv")), first);
}

INSTANTIATE_TEST_SUITE_P(Delimiters, RoundTrip, ::testing::Values(',', ';', '#', '\t', '|'));

// A file loaded, saved, and loaded by the next start, which detects again.
class NextStart : public RoundTrip {};

TEST_P(NextStart, ReadsTheSaveAsTheFirstReadTheFile)
{
    const char d = GetParam();
    std::string file = "Web sites|Email|Expires\r\n"
                       "http://b.com||not registered\r\n"
                       "\"http://a.com/#x,y;z\"|=1+2|2027/03/04\r\n"
                       "http://c.com|mailto:c@c.com|2027/01/01|extra|\"\"\r\n";
    std::replace(file.begin(), file.end(), '|', d);
    for (const bool loadHeader : {false, true}) {
        ResultTable first;
        test::setUpProgramTable(first);
        first.SetLoadHeader(loadHeader);
        load(file, &first);
        ASSERT_EQ(first.Delimiter(), d);
        first.SaveToDelimitedFile(dir.file("out.csv"));
        ResultTable next;
        test::setUpProgramTable(next);
        next.SetLoadHeader(loadHeader);
        next.LoadFromDelimitedFile(dir.file("out.csv"));
        EXPECT_EQ(next.Delimiter(), d) << test::readFile(dir.file("out.csv"));
        EXPECT_EQ(rowsOf(next), rowsOf(first));
        EXPECT_EQ(test::columnCaptionsOf(next), test::columnCaptionsOf(first));
    }
}

INSTANTIATE_TEST_SUITE_P(Delimiters, NextStart, ::testing::Values(',', ';', '#', '\t', '|'));

TEST_F(DelimitedReader, FormulaCellsSavedAsTextLoadBackAsTheyWere)
{
    addRow(table, "=HYPERLINK(\"http://x\")", {"+1", "-"});
    addRow(table, "@a", {"'=b", "2027/03/04"});
    addRow(table, "http://c.com", {"not registered", "''+c"});
    table.SaveToDelimitedFile(dir.file("out.csv"), ResultTable::FormulaCells::AsText);
    EXPECT_EQ(test::readFile(dir.file("out.csv")), "Web sites,Email,Expires\r\n"
                                                   "\"'=HYPERLINK(\"\"http://x\"\")\",'+1,'-\r\n"
                                                   "'@a,''=b,2027/03/04\r\n"
                                                   "http://c.com,not registered,'''+c\r\n");
    ResultTable fresh;
    test::setUpProgramTable(fresh);
    fresh.LoadFromDelimitedFile(dir.file("out.csv"));
    EXPECT_EQ(rowsOf(fresh), rowsOf(table));
}

TEST_F(DelimitedReader, LoadSaveLoadKeepsEveryFieldAndTheHeaderStaysOut)
{
    load("a,\"b\",\"c\",\"d\",\"e\"\r\nf,g\r\n");
    const Rows rows = rowsOf(table);
    EXPECT_EQ(rows, (Rows{{"a", "b", "c", "d", "e"}, {"f", "g"}}));
    table.SaveToDelimitedFile(dir.file("out.csv"));
    ResultTable fresh;
    test::setUpProgramTable(fresh);
    fresh.LoadFromDelimitedFile(dir.file("out.csv"));
    EXPECT_EQ(rowsOf(fresh), rows);
}

TEST_F(DelimitedReader, FreshTableReadsTheProgramsSave)
{
    addRow(table, "http://b.com", {"mailto:x@b.com", "2026/02/03"});
    addRow(table, "http://a.com", {"mailto:y@a.com", ""});
    table.SaveToDelimitedFile(dir.file("out.csv"));
    ResultTable fresh;
    test::setUpProgramTable(fresh);
    fresh.LoadFromDelimitedFile(dir.file("out.csv"));
    EXPECT_EQ(rowsOf(fresh), rowsOf(table));
    EXPECT_EQ(fresh.Delimiter(), ',');
}

} // namespace
} // namespace ostrevo
