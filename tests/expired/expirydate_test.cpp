// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirydate.h"
#include "platform/systemseparators.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ostrevo {
namespace {

using namespace std::string_literals;

std::optional<std::string> none()
{
    return std::nullopt;
}

TEST(ExpiryDate, DayFirstAndYearFirstBothGiveYearFirst)
{
    EXPECT_EQ(expiryDateOf("es on 05-Nov-2025."), "2025/11/05");
    EXPECT_EQ(expiryDateOf("ation Date: 2025-11-05 10:30:00"), "2025/11/05");
    EXPECT_EQ(expiryDateOf(" 7 3 2026"), "2026/03/07");
    EXPECT_EQ(expiryDateOf(" 2026 3 7"), "2026/03/07");
}

TEST(ExpiryDate, LeadingZerosOnlyBelowTen)
{
    EXPECT_EQ(expiryDateOf("2025-12-31"), "2025/12/31");
    EXPECT_EQ(expiryDateOf("2025-10-10"), "2025/10/10");
    EXPECT_EQ(expiryDateOf("2025-0-0"), "2025/00/00");
    EXPECT_EQ(expiryDateOf("0031-0012-2025"), "2025/12/31");
    EXPECT_EQ(expiryDateOf("00000000000000000002025-11-05"), "2025/11/05");
}

TEST(ExpiryDate, IsoDateTimesKeepTheDayAndDropTheTime)
{
    EXPECT_EQ(expiryDateOf("y Date: 2028-09-13T04:00:00Z"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("ation Date: 2028-09-12T00:00:00-0700"), "2028/09/12");
    EXPECT_EQ(expiryDateOf("ation Date: 2028-09-12T00:00:00-07:00"), "2028/09/12");
    EXPECT_EQ(expiryDateOf("ation Date: 2028-09-12T00:00:00+07:00"), "2028/09/12");
    EXPECT_EQ(expiryDateOf("y Date: 2028-09-13T00:00:00.0Z"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("y Date: 2028-09-13T00:00:00.000-0700"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("y Date: 2028-09-13t04:00:00z"), "2028/09/13");
}

TEST(ExpiryDate, DateTimeThatDoesNotEndTheDateIsNoDate)
{
    // Only the day can carry the time; what follows it is never a value.
    EXPECT_EQ(expiryDateOf("y Date: 13T04:00:00Z 09 2028"), none());
    EXPECT_EQ(expiryDateOf("y Date: 2028-09T04:00:00Z-13"), none());
    // The run-together form holds a single value.
    EXPECT_EQ(expiryDateOf("y Date: 20280913T040000Z"), none());
}

TEST(ExpiryDate, TokensThatOnlyLookLikeDateTimesAddNothing)
{
    EXPECT_EQ(expiryDateOf("2028-09-13Tuesday"), none());
    EXPECT_EQ(expiryDateOf("2028-09-13T 13"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("5T-Nov-2025"), none()); // "5T" has no time: not a value
}

TEST(ExpiryDate, MonthNamesSpeltExactlyAnywhereInAToken)
{
    EXPECT_EQ(expiryDateOf("es on 05-Nov-2025."), "2025/11/05");
    EXPECT_EQ(expiryDateOf(" 05 November 2025"), "2025/11/05");
    // Ordinary words holding an abbreviation count too.
    EXPECT_EQ(expiryDateOf("y Decision: 05 2025"), "2025/05/12");
    // One token can give two months.
    EXPECT_EQ(expiryDateOf(" 2025 JunJul"), "2025/06/07");
}

TEST(ExpiryDate, AbbreviationInAnotherCaseCountsOnlyAsAWholeToken)
{
    EXPECT_EQ(expiryDateOf("ation Date: 13-sep-2028"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("ation Date: 13-SEP-2028"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("ation Date: 13-sEp-2028"), "2028/09/13");
    EXPECT_EQ(expiryDateOf("ation Date: 13-SEPT-2028"), none());
    EXPECT_EQ(expiryDateOf("ation Date: 13-september-2028"), none());
}

TEST(ExpiryDate, TwoDigitYearsAreInThisCentury)
{
    EXPECT_EQ(expiryDateOf("es on 05-Nov-25."), "2025/11/05");
    EXPECT_EQ(expiryDateOf("es on 05-Nov-00."), "2000/11/05");
    EXPECT_EQ(expiryDateOf("es on 05-Nov-99."), "2099/11/05");
    // Only the year of a day-first date is completed: the day stays a day.
    EXPECT_EQ(expiryDateOf("es on 25-11-05"), "2005/11/25");
    // Three digits are taken as written.
    EXPECT_EQ(expiryDateOf("es on 05-Nov-100."), "100/11/05");
}

TEST(ExpiryDate, FewerThanThreeValuesIsNoDate)
{
    EXPECT_EQ(expiryDateOf(""), none());
    EXPECT_EQ(expiryDateOf("ation Date:"), none());
    EXPECT_EQ(expiryDateOf("es on Nov-2025."), none());
    EXPECT_EQ(expiryDateOf("ation Date: 05/11/2025"), none()); // "/" does not split
}

TEST(ExpiryDate, OnlyTheFirstThreeValuesCount)
{
    EXPECT_EQ(expiryDateOf(" 2025-11-05 2026-12-06"), "2025/11/05");
    EXPECT_EQ(expiryDateOf(" 2025-11-05 99999999999999999999"), "2025/11/05");
    EXPECT_EQ(expiryDateOf(" 2025 JunJulAug"), "2025/06/07");
}

TEST(ExpiryDate, NumbersBeyondThirtyTwoBitsAreNoDate)
{
    EXPECT_EQ(expiryDateOf(" 99999999999999999999-11-05"), none());
    EXPECT_EQ(expiryDateOf(" 2025-99999999999999999999-05"), none());
    EXPECT_EQ(expiryDateOf(" 05-11-99999999999999999999"), none());
    EXPECT_EQ(expiryDateOf(" 2025-11-2147483648"), none());
    EXPECT_EQ(expiryDateOf(" 2025-11-99999999999T00:00:00Z"), none());
    // The largest value still reads, and is then refused by the bounds.
    EXPECT_EQ(expiryDateOf(" 2025-11-2147483647"), none());
    EXPECT_EQ(expiryDateOf(" 2025-2147483647-05"), "2025/2147483647/05");
}

TEST(ExpiryDate, YearsAndDaysFrom2200AreRefused)
{
    EXPECT_EQ(expiryDateOf(" 2199-11-05"), "2199/11/05");
    EXPECT_EQ(expiryDateOf(" 2200-11-05"), none());
    EXPECT_EQ(expiryDateOf(" 05-11-2199"), "2199/11/05");
    EXPECT_EQ(expiryDateOf(" 05-11-2200"), none());
    EXPECT_EQ(expiryDateOf(" 2025-11-2200"), none());
}

TEST(ExpiryDate, FirstValue1900KeepsTheLineWhenItLooksLikeADate)
{
    EXPECT_EQ(expiryDateOf(" 1900-01-01 "), " 1900-01-01 ");
    EXPECT_EQ(expiryDateOf(" 1900-01-01 10:00 PM"), " 1900-01-01 10:00 PM");
    EXPECT_EQ(expiryDateOf("es: 1900-01-01"), none());
    EXPECT_EQ(expiryDateOf(" 1900.01.01"), none());
}

class ExpiryDateOtherSeparators : public testing::Test {
protected:
    void SetUp() override { setSystemSeparators({'.', '.'}); }
    void TearDown() override { setSystemSeparators({}); }
};

TEST_F(ExpiryDateOtherSeparators, AssembledDatesAreStillAccepted)
{
    EXPECT_EQ(expiryDateOf("es on 05-Nov-2025."), "2025/11/05");
    EXPECT_EQ(expiryDateOf("y Date: 2028-09-13T04:00:00Z"), "2028/09/13");
}

TEST_F(ExpiryDateOtherSeparators, LineKeptAsWrittenUsesTheSystemSeparators)
{
    EXPECT_EQ(expiryDateOf(" 1900.01.01"), " 1900.01.01");
    EXPECT_EQ(expiryDateOf(" 1900-01-01 10:00"), none());
}

TEST(ExpiryDate, AnyBytesAreHandled)
{
    EXPECT_EQ(expiryDateOf("\0\0\0"s), none());
    EXPECT_EQ(expiryDateOf(" 2025\0-11-05"s), none());
    EXPECT_EQ(expiryDateOf("\xff\xfe 2025-11-05 \xc3\xa9"), "2025/11/05");
    EXPECT_EQ(expiryDateOf("\" 2025-11-05"), none()); // the quote takes the rest
}

} // namespace
} // namespace ostrevo
