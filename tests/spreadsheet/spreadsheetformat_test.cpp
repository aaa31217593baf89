// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetformat.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using Part = SheetDateTime::Part;

TEST(BuiltInFormatKind, DateTimeAndNumberFormats)
{
    for (const int id : {14, 15, 16, 17}) {
        EXPECT_EQ(BuiltInFormatKind(id), Part::Date) << id;
    }
    for (const int id : {18, 19, 20, 21, 45, 47}) {
        EXPECT_EQ(BuiltInFormatKind(id), Part::Time) << id;
    }
    EXPECT_EQ(BuiltInFormatKind(46), Part::Elapsed);
    EXPECT_EQ(BuiltInFormatKind(22), Part::DateTime);
    for (const int id : {0, 1, 2, 9, 10, 11, 12, 13, 37, 44, 48, 49, 164}) {
        EXPECT_EQ(BuiltInFormatKind(id), std::nullopt) << id;
    }
}

TEST(FormatCodeKind, DateFormats)
{
    for (const char* code : {"yyyy-mm-dd", "yyyy\\-mm\\-dd", "[$-409]d-mmm-yyyy;@", "mmm", "d/m/yy", "dddd",
                             "\"Date:\" yyyy", "[Red]dd/mm/yyyy", "e/m/d"}) {
        EXPECT_EQ(FormatCodeKind(code), Part::Date) << code;
    }
}

TEST(FormatCodeKind, TimeFormats)
{
    for (const char* code : {"h:mm AM/PM", "h:mm:ss", "mm:ss", "hh\"h\"", "h A/P", "[Red]h:mm"}) {
        EXPECT_EQ(FormatCodeKind(code), Part::Time) << code;
    }
    for (const char* code : {"[h]:mm:ss", "[mm]:ss", "[ss]", "[hh]:mm", "[Blue][h]:mm"}) {
        EXPECT_EQ(FormatCodeKind(code), Part::Elapsed) << code;
    }
}

TEST(FormatCodeKind, DateAndTime)
{
    EXPECT_EQ(FormatCodeKind("m/d/yyyy h:mm"), Part::DateTime);
    EXPECT_EQ(FormatCodeKind("yyyy-mm-dd hh:mm:ss"), Part::DateTime);
}

TEST(FormatCodeKind, NumberFormatsWithLettersThatAreNotDates)
{
    for (const char* code : {"General", "general", "0.00%", "0.0\" days\"", "0.00E+00", "0.00e-00",
                             "[Red]0.00", "#,##0;[Red]-#,##0", "0;dd", "\\d0", "_-* #,##0_-", "@",
                             "[$\xE2\x82\xAC-407] #,##0", "[<100]0;0.0", "\"unterminated"}) {
        EXPECT_EQ(FormatCodeKind(code), std::nullopt) << code;
    }
}

} // namespace
} // namespace ostrevo
