// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/expirydate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {
namespace {

using namespace std::string_literals;

struct Case {
    std::string_view line; // the text after "xpir"
    const char* date;      // nullptr: no date
};

void expectDates(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        const std::optional<std::string> date = expiryDateOf(c.line);
        if (c.date == nullptr) {
            EXPECT_EQ(date, std::nullopt) << testing::PrintToString(c.line);
        } else {
            EXPECT_EQ(date, std::optional<std::string>(c.date)) << testing::PrintToString(c.line);
        }
    }
}

TEST(ExpiryDate, RegistryLayouts)
{
    expectDates({
        {"es on 05-Nov-2025.", "2025/11/05"},
        {"ation Date: 2025-11-05 10:30:00", "2025/11/05"},
        {"y Date: 2028-09-13T04:00:00Z", "2028/09/13"},
        {"ation Date: 2028-09-12T00:00:00-0700", "2028/09/12"},
        {"ation Date: 2028-09-12T00:00:00+07:00", "2028/09/12"},
        {"y Date: 2028-09-13T00:00:00.000-0700", "2028/09/13"},
        {"y Date: 2028-09-13t04:00:00z", "2028/09/13"},
        {"ation Date: 13-sep-2028", "2028/09/13"},
        {"ation Date: 13-SEP-2028", "2028/09/13"},
        {"ation Date:20-Oct-2014 14:23:32 UTC", "2014/10/20"},
        {"ation Date: Sat Jul 19 23:59:59 GMT 2014", "2014/07/19"},
        {"es: May 22 2014", "2014/05/22"},
        {"es: Tue, Jan 21, 2020", "2020/01/21"},
        {"ation Date: Sat Oct 07 12:00:00 GMT 2023", "2023/10/07"},
        {"y Date:2014-10-14 08:59:57.0", "2014/10/14"},
        {"ation Date:2014-10-20T23:59:59.0Z", "2014/10/20"},
        {"ation date : 2014-12-02/14:12:36", "2014/12/02"},
        {"y date:  19-Jul-2014", "2014/07/19"},
        {"e Date: 2014.10.20", "2014/10/20"},
        {"es on: 2014/10/31", "2014/10/31"},
        {"es: 20 October 2014", "2014/10/20"},
        {"es: October 20th, 2014", "2014/10/20"},
        {"ation: 20 févr. 2015", "2015/02/20"},
        {"e le 05\xc2\xa0"
         "décembre\xc2\xa0"
         "2025",
         "2025/12/05"},
        {"ation Date: Mon, 20 Oct 2014 10:00:00 GMT+8", "2014/10/20"},
        {"es: 2014-10-20 (UTC-05:00) 11", "2014/10/20"},
        {"es on 05-Nov-25.", "2025/11/05"},
        {"es on 25-11-05", "2005/11/25"},
        {" 7 3 2026", "2026/03/07"},
        {" 2026 3 7", "2026/03/07"},
        {"0031-0012-2025", "2025/12/31"},
        {" 2025-11-05 2026-12-06", "2025/11/05"},
        {"\xff\xfe 2025-11-05 \xc3\xa9", "2025/11/05"},
    });
}

TEST(ExpiryDate, YearLastNumbersReadDayFirstUnlessOnlyMonthFirstIsADate)
{
    expectDates({
        {" 05-11-2025", "2025/11/05"},
        {" 10-20-2014", "2014/10/20"},
        {" 20/10/2014", "2014/10/20"},
        {" 10/20/2014", "2014/10/20"},
        {" 07/07/2014", "2014/07/07"},
        {" 05/11/2025", nullptr}, // 5 November or 11 May
    });
}

TEST(ExpiryDate, TimesFractionsAndOffsetsAreNeverValues)
{
    expectDates({
        {"ation Date: 10:30:00 2025-11-05", "2025/11/05"},
        {"y Date: 2028-09T04:00:00Z-13", nullptr},
        {" 2025-11 10:30:00.5 +0100", nullptr},
        {" 20280913T040000Z", "2028/09/13"},
    });
}

TEST(ExpiryDate, LayoutHintsOrderDayAndMonthAndEightDigitsAreADate)
{
    expectDates({
        {"ation Date (dd/mm/yyyy): 01/03/2014", "2014/03/01"},
        {"ation Date (MM/DD/YYYY): 01/03/2014", "2014/01/03"},
        {"ation Date (mm/dd/yyyy): 25/03/2014", nullptr},
        {" (DD.MM.YY) 05.11.25", "2025/11/05"},
        {" (yyyy-dd-mm) 2014-25-03", "2014/03/25"},
        {" (dd/mm) 05/11/2025", nullptr},         // no year: not a layout
        {" 2014 dd mm yyyy 05 11", "2014/05/11"}, // a hint counts before the date only
        {": 20200518", "2020/05/18"},
        {": 20200230", nullptr},
        {": 2020051 8", nullptr},
        {" ID 12345678", nullptr},
    });
}

TEST(ExpiryDate, ProseAndSectionNumbersAreNoDate)
{
    expectDates({
        {"e, as provided in section 3.7.5 of the agreement", nullptr}, // a year has two digits or four
        {"es on 5-Nov-5", nullptr},
        {"ation date of the domain name as registered with the registry: 2028-09-12", "2028/09/12"},
        {"ation date displayed in this record is the date the registrar's sponsorship of the name is "
         "currently set to end on 2028-09-12",
         nullptr},
        {"ation date:" + std::string(500, ' ') + "2028-09-12", "2028/09/12"},
    });
}

TEST(ExpiryDate, ImpossibleDatesAreNone)
{
    expectDates({
        {"2025-0-0", nullptr},
        {" 2025-13-01", nullptr},
        {" 2025-02-29", nullptr},
        {" 2024-02-29", "2024/02/29"},
        {" 2100-02-29", nullptr},
        {" 2000-02-29", "2000/02/29"},
        {" 31-04-2025", nullptr},
        {" 2025-2147483647-05", nullptr},
        {" 2199-11-05", "2199/11/05"},
        {" 2200-11-05", nullptr},
        {" 1900-01-01", nullptr},
        {" 1970-01-01", nullptr},
        {"es on 05-Nov-100.", nullptr},
        {" 99999999999999999999-11-05", nullptr},
        {" 2025-11-99999999999T00:00:00Z", nullptr},
    });
}

TEST(ExpiryDate, OnlyMonthWordsAreMonths)
{
    expectDates({
        {"y Decision: 05 2025", nullptr},
        {" 2025 JunJul", nullptr},
        {" 2025 Jun Jul", nullptr},
        {" Marketing 05 2025", nullptr},
        {" 2014 Nov 2015", nullptr},
        {"es on Nov-2025.", nullptr},
        {"", nullptr},
        {"\0\0\0"s, nullptr},
        {"\" 2025-11-05", "2025/11/05"},
    });
}

} // namespace
} // namespace ostrevo
