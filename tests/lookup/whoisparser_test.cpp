// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoisparser.h"
#include "platform/systemseparators.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace ostrevo {
namespace {

using namespace std::string_literals;

// Joins lines with CR LF, as page bodies arrive.
std::string page(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void expectRecord(const WhoisAnswer& answer, std::string_view email, std::string_view expires)
{
    EXPECT_EQ(answer.outcome, WhoisOutcome::Record);
    EXPECT_EQ(answer.record.email, email);
    EXPECT_EQ(answer.record.expires, expires);
}

void expectNone(const WhoisAnswer& answer)
{
    EXPECT_EQ(answer.outcome, WhoisOutcome::None);
    EXPECT_EQ(answer.record.email, "");
    EXPECT_EQ(answer.record.expires, "");
}

const std::string RegistryNotice = page({
    "",
    "NOTICE: The expiration date displayed in this record is the date the",
    "registrar's sponsorship of the domain name registration in the registry is",
    "currently set to expire. This date does not necessarily reflect the",
    "expiration date of the domain name registrant's agreement with the",
    "sponsoring registrar.",
    "",
    "TERMS OF USE: You are not authorized to access or query our Whois",
    "database through the use of electronic processes that are high-volume and",
    "automated except as reasonably necessary to register domain names.",
});

// --- Real answer shapes --------------------------------------------------------

TEST(WhoisRealAnswers, RegistryComAnswer)
{
    const std::string text = page({
                                 "   Domain Name: HARBOURLIGHTS.COM",
                                 "   Registry Domain ID: 1234567_DOMAIN_COM-VRSN",
                                 "   Registrar WHOIS Server: whois.tidewater-names.example",
                                 "   Registrar URL: http://www.tidewater-names.example",
                                 "   Updated Date: 2024-08-14T07:01:34Z",
                                 "   Creation Date: 1998-09-13T04:00:00Z",
                                 "   Registry Expiry Date: 2028-09-13T04:00:00Z",
                                 "   Registrar: Tidewater Names, LLC",
                                 "   Registrar IANA ID: 9999",
                                 "   Registrar Abuse Contact Email: abuse@tidewater-names.example",
                                 "   Registrar Abuse Contact Phone: +1.4805550100",
                                 "   Domain Status: clientTransferProhibited "
                                 "https://icann.org/epp#clientTransferProhibited",
                                 "   Name Server: NS1.HARBOURLIGHTS.COM",
                                 "   DNSSEC: unsigned",
                                 ">>> Last update of whois database: 2025-01-10T10:00:00Z <<<",
                             }) +
                             RegistryNotice;
    expectRecord(ParseWhoisPage(text), "abuse@tidewater-names.example", "2028/09/13");
}

TEST(WhoisRealAnswers, RegistrarAnswerWithZoneOffset)
{
    const std::string text = page({
        "Domain Name: harbourlights.com",
        "Registry Domain ID: 1234567_DOMAIN_COM-VRSN",
        "Registrar WHOIS Server: whois.bluecanyon.example",
        "Registrar URL: https://www.bluecanyon.example",
        "Updated Date: 2024-09-14T10:11:12-0700",
        "Creation Date: 1998-09-12T00:00:00-0700",
        "Registrar Registration Expiration Date: 2028-09-12T00:00:00-0700",
        "Registrar: Blue Canyon Domains, Inc.",
        "Registrar IANA ID: 9998",
        "Registrar Abuse Contact Email: abuse@bluecanyon.example",
        "Registrar Abuse Contact Phone: +1.4805550111",
        "Registrant Name: Jane Roe",
        "Registrant Organization: Harbour Lights Ltd",
        "Registrant Email: jane.roe@harbourlights.com",
    });
    // The registrant's address, not the registrar's that comes first.
    expectRecord(ParseWhoisPage(text), "jane.roe@harbourlights.com", "2028/09/12");
}

TEST(WhoisRealAnswers, OrgRegistryAnswer)
{
    const std::string text = page({
        "Domain Name: riverside-choir.org",
        "Registry Domain ID: 5d1a2b3c4d5e6f-LROR",
        "Registrar WHOIS Server: http://whois.pinegrove.example",
        "Registrar URL: http://www.pinegrove.example",
        "Updated Date: 2024-10-06T09:30:12Z",
        "Creation Date: 2005-11-05T16:41:21Z",
        "Registry Expiry Date: 2025-11-05T16:41:21Z",
        "Registry Registrant ID: REDACTED FOR PRIVACY",
        "Registrant Email: Please query the RDDS service of the Registrar of Record identified in this "
        "output for information on how to contact the Registrant, Admin, or Tech contact of the queried "
        "domain name.",
        "Registrar Abuse Contact Email: domainabuse@pinegrove.example",
        "Registrar Abuse Contact Phone: +44.2075550123",
        "Name Server: ns1.pinegrove.example",
        "DNSSEC: signedDelegation",
    });
    expectRecord(ParseWhoisPage(text), "domainabuse@pinegrove.example", "2025/11/05");
}

TEST(WhoisRealAnswers, OldRegistrarAnswerWithRecordExpiresOn)
{
    const std::string text = page({
        "Registrant:",
        "Harbour Lights Ltd",
        "   12 Quay Street",
        "   Portsmouth, PO1 2AB",
        "   GB",
        "",
        "   Domain Name: HARBOURLIGHTS.NET",
        "",
        "   Administrative Contact, Technical Contact:",
        "      Roe, Jane\t\t<jroe@harbourlights.net>",
        "      12 Quay Street",
        "",
        "   Record expires on 05-Nov-2025.",
        "   Record created on 05-Nov-1998.",
        "   Database last updated on 10-Jan-2025 10:00:00 EST.",
        "",
        "   Domain servers in listed order:",
        "      NS1.HARBOURLIGHTS.NET   192.0.2.10",
    });
    expectRecord(ParseWhoisPage(text), "jroe@harbourlights.net", "2025/11/05");
}

TEST(WhoisRealAnswers, OldThinAnswerWithLowerCaseMonth)
{
    const std::string text = page({
        "   Domain Name: HARBOURLIGHTS.COM",
        "   Registrar: TIDEWATER NAMES, LLC",
        "   Whois Server: whois.tidewater-names.example",
        "   Referral URL: http://www.tidewater-names.example",
        "   Status: clientTransferProhibited",
        "   Updated Date: 14-aug-2024",
        "   Creation Date: 13-sep-1998",
        "   Expiration Date: 13-sep-2028",
        "",
        "Registrant contact: hostmaster@harbourlights.com",
    });
    expectRecord(ParseWhoisPage(text), "hostmaster@harbourlights.com", "2028/09/13");
}

TEST(WhoisRealAnswers, ExpirationDateWithTimeOfDay)
{
    const std::string text = page({
        "Domain: harbourlights.net",
        "Owner e-mail: owner@harbourlights.net",
        "Expiration Date: 2025-11-05 10:30:00",
        "Status: ACTIVE",
    });
    expectRecord(ParseWhoisPage(text), "owner@harbourlights.net", "2025/11/05");
}

TEST(WhoisRealAnswers, TwoDigitYear)
{
    const std::string text = page({"Contact: admin@harbourlights.net", "Record expires on 05-Nov-25."});
    expectRecord(ParseWhoisPage(text), "admin@harbourlights.net", "2025/11/05");
}

TEST(WhoisRealAnswers, OrgRegistryAnswerOfTheOlderLayout)
{
    const std::string text = page({
        "NOTICE: Access to .ORG WHOIS information is provided to assist persons in",
        "determining the contents of a domain name registration record. The data must not exceed",
        "what you need.",
        "Domain Name:RIVERSIDE-CHOIR.ORG",
        "Created On:20-Oct-2004 14:23:32 UTC",
        "Last Updated On:01-Sep-2013 03:40:17 UTC",
        "Expiration Date:20-Oct-2014 14:23:32 UTC",
        "Sponsoring Registrar:Pine Grove Names (R1234-LROR)",
        "Registrant Email:choir@riverside-choir.org",
    });
    expectRecord(ParseWhoisPage(text), "choir@riverside-choir.org", "2014/10/20");
}

TEST(WhoisRealAnswers, HostNameWithXpirIsPassedOver)
{
    const std::string text = page({
        "Domain Name: expiring-soon.com",
        "Registry Expiry Date: 2028-09-13T04:00:00Z",
        "Registrar Abuse Contact Email: abuse@tidewater-names.example",
    });
    expectRecord(ParseWhoisPage(text), "abuse@tidewater-names.example", "2028/09/13");
}

TEST(WhoisRealAnswers, LineFeedsAloneAndCapitals)
{
    expectRecord(ParseWhoisPage("Domain: example.com\nEMAIL: owner@example.com\nEXPIRES: 2025-11-05\n"),
                 "owner@example.com", "2025/11/05");
    expectRecord(ParseWhoisPage("Email: owner@example.com\r\nExpiration Date: 2025-11-05"),
                 "owner@example.com", "2025/11/05");
}

// --- Outcomes decided by words on the page -------------------------------------

const std::string CompleteRecord = page({"Email: owner@example.com", "Expiration Date: 2025-11-05"});

TEST(WhoisOutcomes, CompleteRecordReads)
{
    expectRecord(ParseWhoisPage(CompleteRecord), "owner@example.com", "2025/11/05");
}

TEST(WhoisOutcomes, QuotaPhrasesRefuseOnlyWithoutARecord)
{
    for (const std::string_view refusal :
         {"WHOIS LIMIT EXCEEDED", "Query rate limit exceeded", "Too many requests", "quota exceeded",
          "You have exceeded the maximum allowable number of queries", "exceed", "TOO MANY QUERIES",
          "Your query rate is 30/min", "Maximum Daily connection limit reached", "Excessive querying",
          "Please TRY AGAIN LATER", "Access not permitted"}) {
        EXPECT_EQ(ParseWhoisPage(std::string(refusal) + "\r\n").outcome, WhoisOutcome::Refused) << refusal;
        expectRecord(ParseWhoisPage(CompleteRecord + std::string(refusal) + "\r\n"), "owner@example.com",
                     "2025/11/05");
    }
    expectRecord(ParseWhoisPage("Domain Name: exceedingly.com\r\n" + CompleteRecord), "owner@example.com",
                 "2025/11/05");
    expectNone(ParseWhoisPage(page({"Email: owner@example.com", "Expiration Date: 2025-13-05"})));
}

TEST(WhoisOutcomes, UnknownDomainIsNotRegisteredUnlessThePageHoldsARecord)
{
    expectRecord(ParseWhoisPage("No match for domain \"HARBOURLIGHTS.COM\".\r\n" + CompleteRecord),
                 "owner@example.com", "2025/11/05");
    EXPECT_EQ(
        ParseWhoisPage("No match for domain \"HARBOURLIGHTS.COM\".\r\nThe data must not exceed\r\n").outcome,
        WhoisOutcome::NotRegistered);
    for (const std::string_view unknown :
         {"NO MATCH FOR \"A.COM\"", "Domain not found.", "a.com is available for registration",
          "%ERROR:101: no entries found", "No Data Found", "Status:\tfree", "status: AVAILABLE",
          "No Object Found", "The queried object does not exist"}) {
        const WhoisAnswer answer = ParseWhoisPage(RegistryNotice + std::string(unknown) + "\r\n");
        EXPECT_EQ(answer.outcome, WhoisOutcome::NotRegistered) << unknown;
        EXPECT_EQ(answer.record.expires, "");
    }
    expectNone(ParseWhoisPage("Thesis available\r\n"));
    // Legal text may name a quota before the answer says the name is unknown.
    EXPECT_EQ(ParseWhoisPage("Queries must not exceed 60 a minute.\r\nNo match for \"A.COM\"\r\n").outcome,
              WhoisOutcome::NotRegistered);
}

TEST(WhoisOutcomes, NoticesThatNameTheExpiryInProseGiveNoDate)
{
    const std::string notice =
        "NOTICE: The expiration date displayed in this record is the date the registrar's "
        "sponsorship of the domain name registration is currently set to expire, as provided "
        "in section 3.7.5 of the 2013 Registrar Accreditation Agreement.\r\n"
        "These terms (version 4.2, 1 May 2019) expire only when replaced; 60 queries in 1 "
        "minute.\r\n";
    expectRecord(ParseWhoisPage(notice + CompleteRecord), "owner@example.com", "2025/11/05");
    expectRecord(ParseWhoisPage(CompleteRecord + notice), "owner@example.com", "2025/11/05");
    expectNone(ParseWhoisPage("Contact: owner@example.com\r\n" + notice));
}

TEST(WhoisOutcomes, MissingPartsAreNone)
{
    expectRecord(ParseWhoisPage(page({"Email: owner at example.com", "Expiration Date: 2025-11-05"})), "",
                 "2025/11/05");
    expectNone(ParseWhoisPage(page({"Email: owner@example.com", "Expiration Date: 1900-01-01 10:00 PM"})));
    expectNone(ParseWhoisPage(""));
    expectNone(ParseWhoisPage("xpir@"));
}

TEST(WhoisOutcomes, TheFirstXpirLineThatStatesADate)
{
    expectRecord(
        ParseWhoisPage(page({"Email: owner@example.com", "Expiration Date:", "Expires: 2025-11-05"})),
        "owner@example.com", "2025/11/05");
    expectRecord(ParseWhoisPage(page({"a@b.example Expires 2025-11-05", "Expires: 2030-01-01"})),
                 "a@b.example", "2025/11/05");
}

TEST(WhoisOutcomes, ExpiryLabelsOfEveryService)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"paid-till: 2025-11-05T21:00:00Z", "2025/11/05"},
        {"Valid Until: 05.11.2025", "2025/11/05"},
        {"RENEWAL DATE: 2025-11-05", "2025/11/05"},
        {"Fecha de vencimiento: 2025-11-05", "2025/11/05"},
        {"OK-UNTIL 20200518", "2020/05/18"},
        {"Expiration Date (dd/mm/yyyy): 01/03/2014", "2014/03/01"},
        {"Expiration Date (mm/dd/yyyy): 01/03/2014", "2014/01/03"},
        {"Valid: 2025-11-05", ""},
    };
    for (const auto& [line, expires] : cases) {
        EXPECT_EQ(ParseWhoisPage("Email: owner@example.com\r\n" + std::string(line)).record.expires, expires)
            << line;
    }
}

TEST(WhoisOutcomes, TheDomainsExpiryWinsOverOtherDatesWhereverTheyStand)
{
    const std::string_view others[] = {
        "Registrar Registration Expiration Date: 2030-01-01",
        "Option expiration date: 2030-01-01",
        "Billing expires on 2030-01-01",
    };
    for (const std::string_view other : others) {
        for (const std::string_view domain : {"Registry Expiry Date: 2028-09-13", "paid-till: 2028.09.13"}) {
            EXPECT_EQ(ParseWhoisPage(page({other, domain})).record.expires, "2028/09/13") << other;
            EXPECT_EQ(ParseWhoisPage(page({domain, other})).record.expires, "2028/09/13") << other;
        }
    }
}

TEST(WhoisOutcomes, ARecordWithoutAddressNamesTheRegistrantsFormOrNothing)
{
    const WhoisAnswer withForm = ParseWhoisPage(page({
        "Registry Expiry Date: 2028-09-13T04:00:00Z",
        "Registrar URL: https://registrar.example",
        "Registrant Email: https://registrar.example/contact/a.com",
    }));
    expectRecord(withForm, "", "2028/09/13");
    EXPECT_EQ(withForm.record.contactForm, "https://registrar.example/contact/a.com");
    EXPECT_EQ(ParseWhoisPage(page({"Registrant Email: https://r.example/f", "Expires: 2028-09-13",
                                   "Admin: a@b.example"}))
                  .record.contactForm,
              "")
        << "an address wins over a form";
}

// --- Nothing carries over from one page to the next ------------------------------

TEST(WhoisPages, ShortExpiryLineDoesNotBorrowFromTheLastPage)
{
    expectRecord(ParseWhoisPage(CompleteRecord), "owner@example.com", "2025/11/05");
    expectNone(ParseWhoisPage(page({"Email: owner@example.com", "Expires on 2026"})));
    expectNone(ParseWhoisPage(page({"Email: owner@example.com", "Expires on Nov-2026"})));
    expectNone(ParseWhoisPage(page({"Email: owner@example.com", "Expires on"})));
}

class WhoisOtherDateSeparator : public testing::Test {
protected:
    void SetUp() override { setSystemSeparators({'.', ':'}); }
    void TearDown() override { setSystemSeparators({}); }
};

TEST_F(WhoisOtherDateSeparator, AssembledDatesStillMakeRecords)
{
    expectRecord(ParseWhoisPage(CompleteRecord), "owner@example.com", "2025/11/05");
}

// --- Bad input ---------------------------------------------------------------

TEST(WhoisBadInput, ArbitraryBytesGiveAnAnswer)
{
    const std::string nul(1000, '\0');
    expectNone(ParseWhoisPage(nul));
    expectNone(ParseWhoisPage("xpir\r@" + nul));
    expectNone(ParseWhoisPage(std::string(1 << 20, '9') + "xpir@\r"));
    expectNone(ParseWhoisPage("a@b.example xpir " + std::string(1 << 20, '1') + "-11-05\r\n"));
    expectRecord(ParseWhoisPage("\"a@b.example\"xpir 2025-11-05\r\n"), "a@b.example", "2025/11/05");
    std::string notices;
    for (int i = 0; i < 40000; ++i) {
        notices += "expires and paid-till ";
    }
    expectRecord(ParseWhoisPage(notices + "\r\nExpires: 2025-11-05 a@b.example"), "a@b.example",
                 "2025/11/05");
}

} // namespace
} // namespace ostrevo
