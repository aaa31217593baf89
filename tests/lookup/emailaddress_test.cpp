// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/emailaddress.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace ostrevo {
namespace {

using namespace std::string_literals;

struct Case {
    std::string_view page;
    std::string_view email;
};

void expectEmails(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        EXPECT_EQ(registrantEmail(c.page), c.email) << testing::PrintToString(c.page);
    }
}

TEST(RegistrantEmail, TheAddressAlone)
{
    expectEmails({
        {"Registrant Email:owner@example.com\r\n", "owner@example.com"},
        {"Contact: (contact@privacy.example)\r\n", "contact@privacy.example"},
        {"Roe, Jane\t\t<jroe@harbourlights.net>\r\n", "jroe@harbourlights.net"},
        {"Contact: \"Jane Roe <jane@example.com>\"", "jane@example.com"},
        {"Write to 'jane@example.com'.", "jane@example.com"},
        {"mailto:o.brien+whois@mail.example.co.uk, then", "o.brien+whois@mail.example.co.uk"},
        {"E-mail: ...jane@example.com...\r\n", "jane@example.com"},
        {"j\0\xff@x.example"s, "\xff@x.example"},
    });
}

TEST(RegistrantEmail, TextThatIsNoAddressIsPassedOver)
{
    expectEmails({
        {"", ""},
        {"no address here", ""},
        {"@start a@b x@.example y@example. z@a..b me@@x.org", ""},
        {"Registrant: @handle\r\nEmail: owner@example.com", "owner@example.com"},
    });
}

TEST(RegistrantEmail, RegistrantThenAdministrativeContactThenFirstAddress)
{
    expectEmails({
        {"Registrar Abuse Contact Email: abuse@registrar.example\r\n"
         "Admin Email: admin@example.com\r\n"
         "Registrant Email: owner@example.com\r\n",
         "owner@example.com"},
        {"Registrar Abuse Contact Email: abuse@registrar.example\n"
         "Administrative Contact: admin@example.com\n"
         "Tech Email: tech@example.com\n",
         "admin@example.com"},
        {"Registrar Abuse Contact Email: abuse@registrar.example\r\nTech Email: tech@example.com\r\n",
         "abuse@registrar.example"},
        {"Registrant Email: Please query the RDDS service.\r\nAbuse: abuse@registrar.example\r\n",
         "abuse@registrar.example"},
        {"Domain Holder: holder@example.com\r\n", "holder@example.com"},
    });
}

TEST(RegistrantContactForm, AWebAddressOnTheRegistrantsContactLine)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Registrant Email: https://form.registrar.example/contact?d=a.com\r\n",
         "https://form.registrar.example/contact?d=a.com"},
        {"Registrar URL: http://registrar.example\r\nREGISTRANT CONTACT: use HTTP://r.example/f.",
         "HTTP://r.example/f"},
        {"Domain Holder: write via the form at <https://r.example/w>\r\n", "https://r.example/w"},
        {"Registrant Organization: https://r.example/\r\n", ""},
        {"Registrant Email: ftp://r.example/ xhttp://r.example/ https:///path http://\r\n", ""},
        {"Registrant Email: REDACTED\r\nContact form: https://r.example/\r\n", ""},
        {"Registrant Email: https://r.example/a\x01b", "https://r.example/a"},
    };
    for (const auto& [page, form] : cases) {
        EXPECT_EQ(registrantContactForm(page), form) << testing::PrintToString(page);
    }
    const std::string longLine = "Registrant Email: https://r.example/" + std::string(3000, 'a');
    EXPECT_EQ(registrantContactForm(longLine), "");
}

TEST(RegistrantEmail, LongPagesTakeLinearTime)
{
    std::string line;
    for (int i = 0; i < 20000; ++i) {
        line += "tech@example.com ";
    }
    EXPECT_EQ(registrantEmail(line + "\r\nRegistrant: owner@example.com"), "owner@example.com");
    std::string addresses = "Registrant Email: ";
    for (int i = 0; i < 30000; ++i) {
        addresses += "http:///";
    }
    EXPECT_EQ(registrantContactForm(addresses + " https://r.example/f"), "https://r.example/f");
}

} // namespace
} // namespace ostrevo
