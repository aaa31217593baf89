// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/delimitedformat.h"

#include <gtest/gtest.h>

#include <random>

namespace ostrevo::delimited {
namespace {

using namespace std::string_literals;

struct Record {
    std::vector<std::string> fields; // decoded, quoted ones marked with a leading '='
    std::size_t consumed = 0;
    bool operator==(const Record&) const = default;
};

// All records of `data`, as complete input.
std::vector<Record> records(std::string_view data, char delimiter = ',')
{
    std::vector<Record> result;
    std::vector<RawField> fields;
    for (;;) {
        const ScanResult scan = scanRecord(data, true, delimiter, fields);
        EXPECT_NE(scan.status, ScanStatus::NeedMoreData);
        if (scan.status != ScanStatus::Record) {
            return result;
        }
        Record record;
        for (const RawField& field : fields) {
            record.fields.push_back((field.quoted ? "=" : "") + decodeField(field));
        }
        record.consumed = scan.consumed;
        result.push_back(record);
        data.remove_prefix(scan.consumed);
    }
}

std::vector<std::vector<std::string>> fieldsOf(std::string_view data, char delimiter = ',')
{
    std::vector<std::vector<std::string>> result;
    for (const Record& record : records(data, delimiter)) {
        result.push_back(record.fields);
    }
    return result;
}

using Lines = std::vector<std::vector<std::string>>;

TEST(ScanRecord, CrLfLfAndLoneCrEndARecord)
{
    EXPECT_EQ(fieldsOf("a,b\r\nc\rd"), (Lines{{"a", "b"}, {"c"}, {"d"}}));
    EXPECT_EQ(fieldsOf("a\r\r\nb\r\n"), (Lines{{"a"}, {""}, {"b"}}));
    EXPECT_EQ(fieldsOf("a\nb,c\n"), (Lines{{"a"}, {"b", "c"}}));
    EXPECT_EQ(fieldsOf("a\n\rb\n\r\n"), (Lines{{"a"}, {""}, {"b"}, {""}}));
    EXPECT_EQ(fieldsOf("\"x\",y\nz"), (Lines{{"=x", "y"}, {"z"}}));
}

TEST(ScanRecord, CtrlZEndsTheInput)
{
    EXPECT_EQ(fieldsOf("a,b\x1a"
                       "c\r\nd"),
              (Lines{{"a", "b"}}));
    EXPECT_EQ(fieldsOf("a\r\n\x1a\r\nb"), (Lines{{"a"}}));
    EXPECT_EQ(fieldsOf("\x1a"), Lines{});
    EXPECT_EQ(fieldsOf(""), Lines{});
}

TEST(ScanRecord, EmptyLinesAndTrailingDelimiters)
{
    EXPECT_EQ(fieldsOf("\r\n\r\n"), (Lines{{""}, {""}}));
    EXPECT_EQ(fieldsOf("\r\r\r"), (Lines{{""}, {""}, {""}}));
    EXPECT_EQ(fieldsOf("a,\r\n"), (Lines{{"a", ""}}));
    EXPECT_EQ(fieldsOf("a,,b"), (Lines{{"a", "", "b"}}));
}

TEST(ScanRecord, QuotedFieldsFollowTheUsualConvention)
{
    EXPECT_EQ(fieldsOf(R"(a,"x,y")"), (Lines{{"a", "=x,y"}}));
    EXPECT_EQ(fieldsOf(R"(a,"")"), (Lines{{"a", "="}}));
    EXPECT_EQ(fieldsOf(R"("say ""hi""",b)"), (Lines{{"=say \"hi\"", "b"}}));
    EXPECT_EQ(fieldsOf(R"(a,"say ""hi""")"), (Lines{{"a", "=say \"hi\""}}));
    EXPECT_EQ(fieldsOf(R"("""")"), (Lines{{"=\""}}));
    // A quote inside an unquoted field is text.
    EXPECT_EQ(fieldsOf(R"(a,say "hi",5")"), (Lines{{"a", "say \"hi\"", "5\""}}));
    // Text after the closing quote is kept.
    EXPECT_EQ(fieldsOf(R"("ab"cd,e)"), (Lines{{"=abcd", "e"}}));
}

TEST(ScanRecord, QuotedFieldsSpanLinesAndHoldControlBytes)
{
    EXPECT_EQ(fieldsOf("\"a\r\nb\",c\r\nd"), (Lines{{"=a\r\nb", "c"}, {"d"}}));
    EXPECT_EQ(fieldsOf("\"a\rb\x1a"
                       "c\"\r\n"),
              (Lines{{"=a\rb\x1a"
                      "c"}}));
    // Never closed: the quote is a plain character, the records after it stay records.
    EXPECT_EQ(fieldsOf("a,\"b\r\nc,d\r\ne,f\r\n"), (Lines{{"a", "\"b"}, {"c", "d"}, {"e", "f"}}));
    EXPECT_EQ(fieldsOf("\"a\"\"\nb"), (Lines{{"\"a\"\""}, {"b"}}));
}

TEST(ScanRecord, KeepsNulAndInvalidUtf8Bytes)
{
    const std::string data = "a\0b,\xff\xfe\r\n"s;
    EXPECT_EQ(fieldsOf(data), (Lines{{"a\0b"s, "\xff\xfe"}}));
}

TEST(ScanRecord, AnyDelimiterWorks)
{
    EXPECT_EQ(fieldsOf("a;b,c\r\n", ';'), (Lines{{"a", "b,c"}}));
    EXPECT_EQ(fieldsOf("a\tb\r\n", '\t'), (Lines{{"a", "b"}}));
    // Even unusual ones end: every step consumes input.
    EXPECT_EQ(fieldsOf("a\"b\r\n", '"').size(), 1u);
    EXPECT_EQ(fieldsOf("a\rb", '\r'), (Lines{{"a"}, {"b"}})); // the line end wins
}

// Scanning data that arrives in pieces gives the same records as scanning it
// whole: NeedMoreData is asked for exactly when the record is not yet known.
TEST(ScanRecord, PiecewiseInputGivesTheSameRecords)
{
    const std::string alphabet = "ab,\"\r\n\x1a";
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string data(random() % 24, ' ');
        for (char& c : data) {
            c = alphabet[random() % alphabet.size()];
        }
        const std::vector<Record> whole = records(data);

        std::vector<Record> pieces;
        std::vector<RawField> fields;
        std::size_t begin = 0;
        std::size_t available = 0;
        for (;;) {
            const bool atEnd = available == data.size();
            const std::string_view view(data.data() + begin, available - begin);
            const ScanResult scan = scanRecord(view, atEnd, ',', fields);
            if (scan.status == ScanStatus::NeedMoreData) {
                ASSERT_FALSE(atEnd);
                available = std::min(data.size(), available + 1 + random() % 3);
                continue;
            }
            if (scan.status == ScanStatus::EndOfInput) {
                break;
            }
            Record record;
            for (const RawField& field : fields) {
                record.fields.push_back((field.quoted ? "=" : "") + decodeField(field));
            }
            record.consumed = scan.consumed;
            pieces.push_back(record);
            begin += scan.consumed;
        }
        ASSERT_EQ(pieces, whole) << testing::PrintToString(data);
    }
}

TEST(AppendField, QuotesOnlyWhatNeedsIt)
{
    auto field = [](std::string_view text, bool quoteIfEmpty = false, char delimiter = ',') {
        std::string out;
        appendField(out, text, delimiter, quoteIfEmpty);
        return out;
    };
    EXPECT_EQ(field("http://a.com"), "http://a.com");
    EXPECT_EQ(field("a,b"), R"("a,b")");
    EXPECT_EQ(field("a,b", false, ';'), R"("a,b")"); // detection sees only the delimiter
    EXPECT_EQ(field("a;b", false, ';'), R"("a;b")");
    EXPECT_EQ(field(R"(say "hi")"), R"("say ""hi""")");
    EXPECT_EQ(field("a\r\nb"), "\"a\r\nb\"");
    EXPECT_EQ(field("a\nb"), "\"a\nb\"");
    EXPECT_EQ(field("a\x1a"), "\"a\x1a\"");
    EXPECT_EQ(field("\x0e"), "\"\x0e\"");
    EXPECT_EQ(field("a\tb"), "\"a\tb\"");
    EXPECT_EQ(field(""), "");
    EXPECT_EQ(field("", true), R"("")");
}

TEST(AppendField, FormulaLikeTextsGetOneMarkThatReadingTakesOff)
{
    const struct {
        std::string_view text;
        std::string_view guarded;    // written for spreadsheets
        std::string_view asItStands; // written otherwise
    } cases[] = {
        {"=1+2", "'=1+2", "=1+2"},
        {"+33 1 23", "'+33 1 23", "+33 1 23"},
        {"-", "'-", "-"},
        {"@SUM(A1)", "'@SUM(A1)", "@SUM(A1)"},
        {"=a,b", "\"'=a,b\"", "\"=a,b\""},
        // Marks already there: one more, so that reading gives them back.
        {"'=x", "''=x", "''=x"},
        {"''-x", "'''-x", "'''-x"},
        {"'plain", "'plain", "'plain"},
        {"'", "'", "'"},
        {"2027/03/04", "2027/03/04", "2027/03/04"},
        {"not registered", "not registered", "not registered"},
        {"a=b", "a=b", "a=b"},
    };
    for (const auto& c : cases) {
        for (const bool guard : {true, false}) {
            std::string out;
            appendField(out, c.text, ',', false, guard);
            EXPECT_EQ(out, guard ? c.guarded : c.asItStands) << c.text;
            std::vector<RawField> fields;
            scanRecord(out, true, ',', fields);
            EXPECT_EQ(withoutTextMark(decodeField(fields[0])), c.text) << out;
        }
    }
}

TEST(AppendField, EveryTextReadsBackAsItself)
{
    const std::string alphabet = "a,;#\t|\"\r\n\x1a\0\xff "s;
    std::mt19937 random(13);
    for (const char delimiter : {',', ';', '#', '\t', '|'}) {
        for (int round = 0; round < 2000; ++round) {
            std::vector<std::string> texts(1 + random() % 4);
            for (auto& text : texts) {
                text.resize(random() % 8);
                for (char& c : text) {
                    c = alphabet[random() % alphabet.size()];
                }
            }
            std::string line;
            for (std::size_t k = 0; k < texts.size(); ++k) {
                if (k > 0) {
                    line.push_back(delimiter);
                }
                appendField(line, texts[k], delimiter, k + 1 == texts.size() && k > 0);
            }
            line += "\r\n";
            std::vector<RawField> fields;
            const ScanResult scan = scanRecord(line, true, delimiter, fields);
            ASSERT_EQ(scan.status, ScanStatus::Record);
            ASSERT_EQ(scan.consumed, line.size()) << testing::PrintToString(line);
            std::vector<std::string> decoded;
            for (const RawField& f : fields) {
                decoded.push_back(decodeField(f));
            }
            ASSERT_EQ(decoded, texts) << testing::PrintToString(line);
        }
    }
}

TEST(HeaderCaptions, AnUnquotedEmptyLastFieldNamesNothing)
{
    std::vector<RawField> fields;
    scanRecord("Web sites,Email,Expires", true, ',', fields);
    EXPECT_EQ(headerCaptions(fields), (std::vector<std::string>{"Web sites", "Email", "Expires"}));
    scanRecord("a,,b,", true, ',', fields);
    EXPECT_EQ(headerCaptions(fields), (std::vector<std::string>{"a", "", "b"}));
    scanRecord("a,\"\"", true, ',', fields);
    EXPECT_EQ(headerCaptions(fields), (std::vector<std::string>{"a", ""}));
    scanRecord("", true, ',', fields);
    EXPECT_EQ(headerCaptions(fields), std::vector<std::string>{});
}

TEST(DetectDelimiter, TakesTheHighestEqualCount)
{
    EXPECT_EQ(detectDelimiter("a;b;c", "d;e;f"), ';');
    EXPECT_EQ(detectDelimiter("a,b,c", "d,e,f"), ',');
    EXPECT_EQ(detectDelimiter("a\tb", "c\td"), '\t');
    EXPECT_EQ(detectDelimiter("a|b|c", "d|e|f"), '|');
    EXPECT_EQ(detectDelimiter("a#b", "c#d"), '#');
    // Two commas over three: nothing.
    EXPECT_EQ(detectDelimiter("a,b,c", "d,e,f,g"), 0);
    // a,,c counts no comma.
    EXPECT_EQ(detectDelimiter("a,b,c", "a,,c"), 0);
    // One line: the absent second line counts as empty.
    EXPECT_EQ(detectDelimiter("a,b,c", ""), 0);
    EXPECT_EQ(detectDelimiter("", ""), 0);
}

TEST(DetectDelimiter, HigherCountWinsAndEarlierCandidateBreaksTies)
{
    EXPECT_EQ(detectDelimiter("a,b;c;d", "e,f;g;h"), ';');
    EXPECT_EQ(detectDelimiter("a,b;c", "e,f;g"), ',');
    EXPECT_EQ(detectDelimiter("a|b#c", "d|e#f"), '#');
}

TEST(DetectDelimiter, TextBetweenQuotesIsNoDelimiter)
{
    EXPECT_EQ(detectDelimiter(R"("Name, first";Mail)", R"("Doe, J";x)"), ';');
    EXPECT_EQ(detectDelimiter(R"("a,b,c";d)", R"("x,y,z";w)"), ';');
}

TEST(DelimiterOfRecords, SplitsEveryRecordAsTheReaderDoes)
{
    const struct {
        std::string_view data;
        char delimiter;
    } cases[] = {
        {"a;b;c\r\nd;;\r\ne;f;g\r\n", ';'},
        {"a\tb\t\tc\r\n\td\t\t\r\n", '\t'},
        {"a;b;c\r\r\nd;e;f\r\r\ng;h;i\r\r\n", ';'},
        {"a,b,c\r\na,,c\r\n", ','},
        // A header padded with empty captions over rows of fewer fields.
        {"Web sites;Email;Expires;;;\"\"\r\na;b;c\r\nd;e;f\r\n", ';'},
        {"Site|Mail|\r\na|b|c\r\nd|e|f\r\n", '|'},
        // Rows as the program saves them: some with fewer or more fields.
        {"a|b|c\r\nd|e\r\nf|g|h|i\r\n", '|'},
        {"a,b;c;d\r\ne,f;g\r\nh,i;j\r\n", ','},
        // The same count everywhere beats more fields somewhere.
        {"a#b,c,d\r\ne#f,g\r\n", '#'},
        {"\"x;y\",1\r\n\"z;w;v\",2\r\n", ','},
        {"a;b;c\r\n", 0},
        {"a;b\r\nc\r\nd;e\r\n", 0},
        {"Smith, John\r\nDoe\r\n", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(delimiterOfRecords(c.data, true), c.delimiter) << testing::PrintToString(c.data);
    }
    // Only the records within the window count, and a cut one is none.
    const std::string longLine(kDetectionWindow, 'x');
    EXPECT_EQ(delimiterOfRecords("a;b\r\n" + longLine + "\r\nc;d\r\n", true), 0);
    EXPECT_EQ(delimiterOfRecords("a;b\r\nc;d\r\n" + longLine + "\r\ne\r\n", false), ';');
}

TEST(LooksLikeText, NoNulAndFewControlCharacters)
{
    EXPECT_TRUE(looksLikeText(""));
    EXPECT_TRUE(looksLikeText("a,b\r\n\tc;d\n\f\x1a"));
    EXPECT_TRUE(looksLikeText("\xef\xbb\xbf\xc3\xa9t\xc3\xa9,\xff\r\n"));
    EXPECT_TRUE(looksLikeText(std::string(19, 'a') + "\x01"));
    EXPECT_TRUE(looksLikeText("a,b\r\nc\0d"s)); // a stray NUL, dropped while reading
    EXPECT_FALSE(looksLikeText(std::string(18, 'a') + "\x01\x7f"));
    // A short saved file whose one field is a control character loads back.
    EXPECT_TRUE(looksLikeText("\xc2\r\n\"\x0e\"\r\n5\r\n"));
    EXPECT_FALSE(looksLikeText("\xc2\r\n\x0e\r\n5\r\n"));
    EXPECT_FALSE(looksLikeText("PK\x03\x04\x14\x06\x08\x08\x08\x1b\x02\x05"));
}

TEST(LooksLikeText, NulsInTheFirstLineOrInARowOrManyAreBinary)
{
    const std::string lines = std::string(5000, 'a') + "\r\n" + std::string(5000, 'b');
    std::string twoApart = lines;
    twoApart[5100] = twoApart[6000] = '\0';
    std::string manyApart = twoApart;
    manyApart[9000] = manyApart[9500] = '\0';
    const struct {
        std::string data;
        bool text;
    } cases[] = {
        {"a,b\r\nc\0d\r\n"s, true},
        {"a,b\r\nc,d\0\r\n"s, true},
        {"a,b\0\r\nc\r\n"s, false},
        {"\0a\r\n"s, false},
        {"a,b\r\nc\0\0d\r\n"s, false},
        {"a,b\r\nc\0d\0e\r\n"s, false},
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, false},
        {twoApart, true},
        {manyApart, false},
        {"\xff\xfe"
         "a\0,\0b\0"s,
         false}, // UTF-16 read as bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(looksLikeText(c.data), c.text) << testing::PrintToString(c.data.substr(0, 40));
    }
}

TEST(Utf16, ByteOrderMarksAndConversion)
{
    EXPECT_EQ(byteOrderMark("\xef\xbb\xbf"
                            "a")
                  .length,
              3u);
    EXPECT_EQ(byteOrderMark("\xff\xfe"
                            "a")
                  .encoding,
              Encoding::Utf16Le);
    EXPECT_EQ(byteOrderMark("\xfe\xff"
                            "a")
                  .encoding,
              Encoding::Utf16Be);
    EXPECT_EQ(byteOrderMark("\xfe"
                            "a")
                  .length,
              0u);

    const struct {
        std::string data; // little-endian
        bool atEnd;
        std::string utf8;
        std::size_t used;
    } cases[] = {
        {"a\0\t\0\xe9\0\xac\x20\r\0\n\0"s, true, "a\t\xc3\xa9\xe2\x82\xac\r\n", 12},
        {"\x3d\xd8\x00\xde"s, true, "\xf0\x9f\x98\x80", 4}, // a surrogate pair
        {"\x3d\xd8"s, false, "", 0},                        // its low half may follow
        {"\x3d\xd8"s, true, "\xef\xbf\xbd", 2},             // never does
        {"\x3d\xd8"
         "a\0"s,
         true, "\xef\xbf\xbd"s + "a", 4},
        {"\x00\xde"
         "a\0"s,
         true, "\xef\xbf\xbd"s + "a", 4}, // a low half alone
        {"a\0b"s, false, "a", 2},         // an odd byte waits
        {"a\0b"s, true, "a\xef\xbf\xbd", 3},
    };
    for (const auto& c : cases) {
        for (const bool bigEndian : {false, true}) {
            std::string data = c.data;
            for (std::size_t i = 0; bigEndian && i + 1 < data.size(); i += 2) {
                std::swap(data[i], data[i + 1]);
            }
            std::string out(data.size() * 3 / 2 + 3, '?');
            std::size_t used = 0;
            out.resize(utf8FromUtf16(data, bigEndian, c.atEnd, out.data(), used));
            EXPECT_EQ(out, c.utf8) << testing::PrintToString(data);
            EXPECT_EQ(used, c.used) << testing::PrintToString(data);
        }
    }
}

TEST(FirstTwoLines, FollowTheLineRules)
{
    FirstLines lines;
    ASSERT_TRUE(firstTwoLines("a;b\r\nc;d\r\ne", true, lines));
    EXPECT_EQ(lines.first, "a;b");
    EXPECT_EQ(lines.second, "c;d");
    ASSERT_TRUE(firstTwoLines("a\nb\rc", true, lines));
    EXPECT_EQ(lines.first, "a");
    EXPECT_EQ(lines.second, "b");
    ASSERT_TRUE(firstTwoLines("only", true, lines));
    EXPECT_EQ(lines.first, "only");
    EXPECT_EQ(lines.second, "");
    ASSERT_TRUE(firstTwoLines("a\x1a\r\nb", false, lines));
    EXPECT_EQ(lines.first, "a");
    EXPECT_EQ(lines.second, "");
    // More data needed before the lines are known.
    EXPECT_FALSE(firstTwoLines("a;b\r\nc;d", false, lines));
    EXPECT_FALSE(firstTwoLines("a;b\r", false, lines));
    EXPECT_FALSE(firstTwoLines("", false, lines));
}

} // namespace
} // namespace ostrevo::delimited
