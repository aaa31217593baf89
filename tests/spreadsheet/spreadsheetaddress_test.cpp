// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetaddress.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace ostrevo {
namespace {

CellRange range(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    return {{firstColumn, firstRow}, {lastColumn, lastRow}};
}

TEST(ColumnLetters, OneTwoAndThreeLetters)
{
    EXPECT_EQ(ColumnLetters(1), "A");
    EXPECT_EQ(ColumnLetters(26), "Z");
    EXPECT_EQ(ColumnLetters(27), "AA");
    EXPECT_EQ(ColumnLetters(52), "AZ");
    EXPECT_EQ(ColumnLetters(53), "BA");
    EXPECT_EQ(ColumnLetters(256), "IV");
    EXPECT_EQ(ColumnLetters(702), "ZZ");
    EXPECT_EQ(ColumnLetters(703), "AAA");
    EXPECT_EQ(ColumnLetters(16384), "XFD");
    EXPECT_EQ(ColumnLetters(0), "");
    EXPECT_EQ(ColumnLetters(-5), "");
}

TEST(ColumnLetters, RoundTripThroughColumnNumber)
{
    for (int column = 1; column <= 20000; ++column) {
        ASSERT_EQ(ColumnNumber(ColumnLetters(column)), column) << ColumnLetters(column);
    }
    EXPECT_EQ(ColumnNumber(ColumnLetters(INT_MAX)), INT_MAX);
}

TEST(ColumnNumber, RefusesWhatIsNotColumnLetters)
{
    EXPECT_EQ(ColumnNumber(""), std::nullopt);
    EXPECT_EQ(ColumnNumber("a"), std::nullopt);
    EXPECT_EQ(ColumnNumber("A1"), std::nullopt);
    EXPECT_EQ(ColumnNumber("@"), std::nullopt);
    EXPECT_EQ(ColumnNumber("ZZZZZZZZ"), std::nullopt); // beyond int
}

TEST(ParseCellReference, CellsInsideTheGrid)
{
    EXPECT_EQ(ParseCellReference("B12"), (CellPosition{2, 12}));
    EXPECT_EQ(ParseCellReference("$B$12"), (CellPosition{2, 12}));
    EXPECT_EQ(ParseCellReference("B$12"), (CellPosition{2, 12}));
    EXPECT_EQ(ParseCellReference("XFD1048576"), (CellPosition{16384, 1048576}));
    for (const char* bad : {"", "$", "B", "12", "1B", "b12", "B0", "B-1", "XFE1", "A1048577", "AAAA1", "B12 ",
                            "B1.5", "$$B1"}) {
        EXPECT_EQ(ParseCellReference(bad), std::nullopt) << bad;
    }
}

TEST(ParseCellRange, RangesAndSingleCells)
{
    EXPECT_EQ(ParseCellRange("B2:D5"), range(2, 2, 4, 5));
    EXPECT_EQ(ParseCellRange("$B$2:$D$5"), range(2, 2, 4, 5));
    EXPECT_EQ(ParseCellRange("D5:B2"), range(2, 2, 4, 5));
    EXPECT_EQ(ParseCellRange("D2:B5"), range(2, 2, 4, 5));
    EXPECT_EQ(ParseCellRange("C3"), range(3, 3, 3, 3));
    for (const char* bad : {"", ":", "B2:", ":B2", "B2:X", "B2:D5:E6", "B2,D5"}) {
        EXPECT_EQ(ParseCellRange(bad), std::nullopt) << bad;
    }
}

TEST(UsedRangeFromAddress, TheServersAbsoluteAddresses)
{
    EXPECT_EQ(UsedRangeFromAddress("$A$1:$C$25"), range(1, 1, 3, 25));
    EXPECT_EQ(UsedRangeFromAddress("$A$1:$C$2"), range(1, 1, 3, 2));
    // Not at A1: the range keeps its first cell.
    EXPECT_EQ(UsedRangeFromAddress("$B$2:$D$5"), range(2, 2, 4, 5));
    EXPECT_EQ(UsedRangeFromAddress("$C$3"), range(3, 3, 3, 3));
    EXPECT_EQ(UsedRangeFromAddress("$AA$10:$AAA$20"), range(27, 10, 703, 20));
    EXPECT_EQ(UsedRangeFromAddress("$C$5:$A$1"), range(1, 1, 3, 5));
}

TEST(UsedRangeFromAddress, WholeRowsSpanTheOldColumnCount)
{
    EXPECT_EQ(UsedRangeFromAddress("$2:$5"), range(1, 2, 256, 5));
}

TEST(UsedRangeFromAddress, RelativeAddressesAreReadToo)
{
    EXPECT_EQ(UsedRangeFromAddress("B2:D5"), range(2, 2, 4, 5));
    EXPECT_EQ(UsedRangeFromAddress("C3"), range(3, 3, 3, 3));
}

TEST(UsedRangeFromAddress, WhatCannotBeReadGivesA1)
{
    for (const char* bad : {"", "garbage", "$A$x:$B$2", "$A$1:$B$y", "$A$0:$B$2", "$$1:$B$2", "$a$1:$b$2",
                            "$A$1:$XFE$2", "$A$1:$B$1048577", "$A$1:$B$99999999999999999999", ":"}) {
        EXPECT_EQ(UsedRangeFromAddress(bad), range(1, 1, 1, 1)) << bad;
    }
    // The last reference is read up to 255 characters only.
    const std::string longRow = "$A$1:$B$" + std::string(251, '0') + "37";
    EXPECT_EQ(UsedRangeFromAddress(longRow), range(1, 1, 2, 3)) << "cut before the 7";
}

TEST(CellRangeAddress, WritesBothCorners)
{
    EXPECT_EQ(CellRangeAddress(range(1, 1, 1, 1)), "A1:A1");
    EXPECT_EQ(CellRangeAddress(range(1, 1, 3, 2)), "A1:C2");
    EXPECT_EQ(CellRangeAddress(range(2, 2, 4, 5)), "B2:D5");
    EXPECT_EQ(CellRangeAddress(range(27, 10, 703, 20)), "AA10:AAA20");
    EXPECT_EQ(ParseCellRange(CellRangeAddress(range(16384, 1048576, 16384, 1048576))),
              range(16384, 1048576, 16384, 1048576));
}

} // namespace
} // namespace ostrevo
