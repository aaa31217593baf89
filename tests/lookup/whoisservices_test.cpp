// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/estimate.h"
#include "lookup/whoisservices.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(WhoisServices, SecondServiceTakesEveryTenthHostAndTheHostAfterARefusal)
{
    for (int i : {0, 10, 20, 990}) {
        EXPECT_TRUE(usesSecondService(i, false)) << i;
    }
    for (int i : {1, 9, 11, 19, 21}) {
        EXPECT_FALSE(usesSecondService(i, false)) << i;
    }
    EXPECT_TRUE(usesSecondService(7, true));
}

TEST(WhoisServices, UrlAppendsTheHostPercentEncoded)
{
    const WhoisService service{"127.0.0.1:8080", "/whois?l=FR&domain="};
    EXPECT_EQ(whoisUrl(service, "Ab-9._~.com"), "http://127.0.0.1:8080/whois?l=FR&domain=Ab-9._~.com");
    EXPECT_EQ(whoisUrl(service, "caf\xc3\xa9 a.com&domain=b.org#%"),
              "http://127.0.0.1:8080/whois?l=FR&domain=caf%C3%A9%20a.com%26domain%3Db.org%23%25");
}

TEST(WhoisServices, DefaultsUseTheRegistrarsPaths)
{
    const WhoisServices services = defaultWhoisServices();
    EXPECT_EQ(services.first.pathAndQuery, "/cgi-bin/whois/whois?SearchType=do&STRING=");
    EXPECT_EQ(services.second.pathAndQuery, "/whois?l=FR&domain=");
    EXPECT_FALSE(services.first.host.empty());
    EXPECT_NE(services.first.host, services.second.host);
}

TEST(LookupEstimate, TwoSecondsPerRemainingHost)
{
    const Duration d = remainingLookupTime(200, 75); // 125 hosts left
    EXPECT_EQ(d.hours, 0);
    EXPECT_EQ(d.minutes, 4);
    EXPECT_EQ(d.seconds, 10);
}

TEST(LookupEstimate, KeepsCountingHoursPastADay)
{
    const Duration d = remainingLookupTime(50000, 0); // 100000 s
    EXPECT_EQ(d.hours, 27);
    EXPECT_EQ(d.minutes, 46);
    EXPECT_EQ(d.seconds, 40);
}

TEST(LookupEstimate, NeverNegativeAndNoOverflowAtTheLimits)
{
    const Duration done = remainingLookupTime(10, 10);
    EXPECT_EQ(done.hours + done.minutes + done.seconds, 0);
    const Duration huge = remainingLookupTime(INT32_MAX, 0);
    EXPECT_EQ(huge.hours, 2LL * INT32_MAX / 3600);
}

} // namespace
} // namespace ostrevo
