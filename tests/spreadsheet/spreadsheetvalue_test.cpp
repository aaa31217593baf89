// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetvalue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ostrevo {
namespace {

using Part = SheetDateTime::Part;

std::string serialText(double serial, bool date1904 = false, Part part = Part::Date)
{
    const std::optional<SheetDateTime> date = DateFromSerial(serial, date1904, part);
    return date ? DateTimeText(*date) : "(none)";
}

TEST(NumberText, WholeNumbersHaveNoFraction)
{
    EXPECT_EQ(NumberText(42.0), "42");
    EXPECT_EQ(NumberText(-7.0), "-7");
    EXPECT_EQ(NumberText(0.0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(123456789012.0), "123456789012");
    EXPECT_EQ(NumberText(9007199254740992.0), "9007199254740992");
}

TEST(NumberText, OtherNumbersInTheirShortestExactForm)
{
    EXPECT_EQ(NumberText(3.25), "3.25");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(NumberText(-12.34), "-12.34");
    EXPECT_EQ(NumberText(1e20), "1e+20");
    EXPECT_EQ(NumberText(1e-7), "1e-07");
    for (const double value : {0.1, 1.0 / 3.0, 2.5e-300, 6.02214076e23, 1e16 + 2}) {
        EXPECT_EQ(std::stod(NumberText(value)), value) << NumberText(value);
    }
}

TEST(CellText, EmptyAndErrorValuesGiveNoText)
{
    EXPECT_EQ(CellText(CellValue{}), "");
    EXPECT_EQ(CellText(CellValue{CellError{}}), "");
    EXPECT_EQ(CellText(CellValue{std::string("mailto:a@b.com")}), "mailto:a@b.com");
    EXPECT_EQ(CellText(CellValue{true}), "TRUE");
    EXPECT_EQ(CellText(CellValue{false}), "FALSE");
    EXPECT_EQ(CellText(CellValue{2.5}), "2.5");
    EXPECT_EQ(CellText(CellValue{SheetDateTime{2025, 11, 5, 0, 0, 0, Part::Date}}), "2025/11/05");
}

TEST(DateTimeText, YearFirstWithTwoDigitMonthAndDay)
{
    EXPECT_EQ(DateTimeText({2025, 11, 5, 13, 30, 0, Part::Date}), "2025/11/05");
    EXPECT_EQ(DateTimeText({2025, 1, 9, 7, 5, 3, Part::DateTime}), "2025/01/09 07:05:03");
    EXPECT_EQ(DateTimeText({2025, 1, 9, 18, 0, 0, Part::Time}), "18:00:00");
}

TEST(DateFromSerial, The1900DateSystem)
{
    EXPECT_EQ(serialText(45966), "2025/11/05");
    EXPECT_EQ(serialText(1), "1900/01/01");
    EXPECT_EQ(serialText(59), "1900/02/28");
    // The 1900 system's leap day that never was, and the days around it.
    EXPECT_EQ(serialText(60), "1900/02/29");
    EXPECT_EQ(serialText(61), "1900/03/01");
    EXPECT_EQ(serialText(0), "1900/01/00");
    EXPECT_EQ(serialText(2958465), "9999/12/31");
    EXPECT_EQ(serialText(2958466), "(none)");
    EXPECT_EQ(serialText(-1), "(none)");
    EXPECT_EQ(serialText(std::numeric_limits<double>::quiet_NaN()), "(none)");
    EXPECT_EQ(serialText(std::numeric_limits<double>::infinity()), "(none)");
}

TEST(DateFromSerial, The1904DateSystem)
{
    EXPECT_EQ(serialText(0, true), "1904/01/01");
    EXPECT_EQ(serialText(44504, true), "2025/11/05");
    EXPECT_EQ(serialText(2957003, true), "9999/12/31");
    EXPECT_EQ(serialText(2957004, true), "(none)");
}

TEST(DateFromSerial, TimeOfDayRoundedToTheSecond)
{
    EXPECT_EQ(serialText(45966.5625, false, Part::DateTime), "2025/11/05 13:30:00");
    EXPECT_EQ(serialText(0.75, false, Part::Time), "18:00:00");
    EXPECT_EQ(serialText(45966.5625, false, Part::Date), "2025/11/05");
    // A hair before midnight shows as the next day.
    EXPECT_EQ(serialText(45966.999999999, false, Part::DateTime), "2025/11/06 00:00:00");
    EXPECT_EQ(serialText(2958465.99999999, false, Part::DateTime), "9999/12/31 23:59:59");
    // Elapsed time counts every hour.
    EXPECT_EQ(serialText(1.5, false, Part::Elapsed), "36:00:00");
    EXPECT_EQ(serialText(1.5, true, Part::Elapsed), "36:00:00");
    EXPECT_EQ(serialText(0.0625, false, Part::Elapsed), "01:30:00");
    EXPECT_EQ(serialText(100.25, false, Part::Elapsed), "2406:00:00");
}

TEST(ParseIsoDateTime, DatesTimesAndBoth)
{
    const auto text = [](std::string_view iso) {
        const std::optional<SheetDateTime> date = ParseIsoDateTime(iso);
        return date ? DateTimeText(*date) : "(none)";
    };
    EXPECT_EQ(text("2025-11-05"), "2025/11/05");
    EXPECT_EQ(text("2025-11-05T13:30:00"), "2025/11/05 13:30:00");
    EXPECT_EQ(text("2025-11-05 13:30:00"), "2025/11/05 13:30:00");
    EXPECT_EQ(text("2025-11-05T13:30:00.250Z"), "2025/11/05 13:30:00");
    EXPECT_EQ(text("2025-11-05T13:30"), "2025/11/05 13:30:00");
    EXPECT_EQ(text("13:30:05"), "13:30:05");
    for (const char* bad :
         {"", "abc", "2025-13-01", "2025-02-29", "2025-11-5", "2025/11/05", "2025-11-05X",
          "2025-11-05T25:00:00", "2025-11-05T13:60:00", "13:30:61", "2025-11-05T13:30:00junk"}) {
        EXPECT_EQ(text(bad), "(none)") << bad;
    }
    EXPECT_EQ(text("2024-02-29"), "2024/02/29");
}

} // namespace
} // namespace ostrevo
