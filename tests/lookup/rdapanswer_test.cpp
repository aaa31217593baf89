// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapanswer.h"
#include "lookup/rdapdate.h"

#include "rdapfixtures.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using namespace test;

struct AnswerCase {
    const char* name;
    long status;
    std::string body;
    RdapOutcome outcome;
    std::string expires;
    std::string email;
    std::string form;
    std::string related = {};
};

const std::string Related = "https://rdap.registrar.test/domain/EXAMPLE-SHOP.COM";

TEST(RdapAnswer, ReadsEveryKindOfAnswer)
{
    const std::string contactUri =
        R"(, "vcardArray": )" + vcard(R"(, ["email", {}, "text", "REDACTED FOR PRIVACY"], )"
                                      R"(["contact-uri", {}, "uri", "https://registrar.test/contact?d=x"])");
    const AnswerCase cases[] = {
        {"thin registry answer", 200, registryAnswer("EXAMPLE-SHOP.COM", "2027-03-04T18:20:01Z", Related),
         RdapOutcome::Domain, "2027/03/04", "", "", Related},
        {"registry answer without related link", 200, registryAnswer("a.org", "2027-03-04T18:20:01.000Z", ""),
         RdapOutcome::Domain, "2027/03/04", "", ""},
        {"no expiry event", 200, registryAnswer("a.org", "", ""), RdapOutcome::Domain, "", "", ""},
        {"registrant e-mail", 200, registrarAnswer("a.com", withEmail("owner@shop.test")),
         RdapOutcome::Domain, "", "owner@shop.test", ""},
        {"privacy service address is an address", 200,
         registrarAnswer("a.com", withEmail("3f2a9c@privacy-proxy.test")), RdapOutcome::Domain, "",
         "3f2a9c@privacy-proxy.test", ""},
        {"role in other letter case, date +0000", 200,
         registrarAnswer("a.com", withEmail("mailto:Owner@Shop.test"), "REGISTRANT",
                         "2028-01-31T23:59:59+0000"),
         RdapOutcome::Domain, "2028/01/31", "Owner@Shop.test", ""},
        {"date with no zone is UTC", 200,
         registrarAnswer("a.com", withEmail("o@s.test"), "Registrant", "2028-01-31T23:59:59"),
         RdapOutcome::Domain, "2028/01/31", "o@s.test", ""},
        {"redacted, contact-uri form", 200, registrarAnswer("a.com", contactUri + RedactedRemark),
         RdapOutcome::Domain, "", "", "https://registrar.test/contact?d=x"},
        {"redacted, contact_URI member", 200,
         registrarAnswer("a.com", R"(, "contact_URI": "https://www.registrar.test/whois/contact/a.com")" +
                                      RedactedRemark),
         RdapOutcome::Domain, "", "", "https://www.registrar.test/whois/contact/a.com"},
        {"redacted, form in a remark", 200,
         registrarAnswer(
             "a.com",
             R"(, "remarks": [{"title": "REDACTED FOR PRIVACY", "description": ["Contact the registrant at https://forms.registrar.test/c/a.com."]}])"),
         RdapOutcome::Domain, "", "", "https://forms.registrar.test/c/a.com"},
        {"redacted, form as a link; the entity's self link is no form", 200,
         registrarAnswer(
             "a.com",
             R"(, "links": [{"rel": "self", "href": "https://r.test/entity/1", "type": "text/html"}, {"rel": "about", "href": "https://r.test/entity/1.json", "type": "application/rdap+json"}, {"rel": "alternate", "href": "https://r.test/form", "type": "text/html"}])"),
         RdapOutcome::Domain, "", "", "https://r.test/form"},
        {"redacted, nothing given", 200, registrarAnswer("a.com", RedactedRemark), RdapOutcome::Domain, "",
         "", ""},
        {"abuse and technical addresses are not the registrant's", 200,
         registrarAnswer("a.com", "", "billing"), RdapOutcome::Domain, "", "", ""},
        {"404 without body", 404, "", RdapOutcome::NotFound, "", "", ""},
        {"404 with an error object", 404, R"({"errorCode": 404, "title": "Not Found"})",
         RdapOutcome::NotFound, "", "", ""},
        {"429", 429, "", RdapOutcome::Busy, "", "", ""},
        {"503", 503, "<html>busy</html>", RdapOutcome::Busy, "", "", ""},
        {"500", 500, registryAnswer("a.org", "2027-03-04", ""), RdapOutcome::Unusable, "", "", ""},
        {"no answer at all", 0, "", RdapOutcome::Unusable, "", "", ""},
        {"malformed JSON", 200, R"({"objectClassName": "domain", "events": [)", RdapOutcome::Unusable, "", "",
         ""},
        {"HTML page", 200, "<html><body>Please log in</body></html>", RdapOutcome::Unusable, "", "", ""},
        {"an error object with 200", 200, R"({"errorCode": 400, "title": "Bad"})", RdapOutcome::Unusable, "",
         "", ""},
        {"nested too deep", 200,
         R"({"objectClassName": "domain", "x": )" + std::string(40, '[') + std::string(40, ']') + "}",
         RdapOutcome::Unusable, "", "", ""},
        {"larger than the limit", 200,
         registryAnswer("a.org", "2027-03-04", "") + std::string(MaxRdapAnswerBytes, ' '),
         RdapOutcome::Unusable, "", "", ""},
        {"related link must be web and RDAP", 200,
         R"({"objectClassName": "domain", "links": [{"rel": "related", "href": "file:///etc/passwd", "type": "application/rdap+json"}, {"rel": "related", "href": "https://r.test/x", "type": "text/html"}]})",
         RdapOutcome::Domain, "", "", ""},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RdapAnswer answer = readRdapAnswer(c.status, c.body);
        EXPECT_EQ(answer.outcome, c.outcome);
        EXPECT_EQ(answer.expires, c.expires);
        EXPECT_EQ(answer.email, c.email);
        EXPECT_EQ(answer.contactForm, c.form);
        EXPECT_EQ(answer.related, c.related);
    }
}

TEST(RdapAnswer, EventDatesBecomeTheUtcDay)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2027-03-04T18:20:01Z", "2027/03/04"},
        {"2027-03-04T18:20:01.123456z", "2027/03/04"},
        {"2027-03-04", "2027/03/04"},
        {"2027-03-04T23:30:00-05:00", "2027/03/05"},
        {"2027-03-01T01:00:00+0200", "2027/02/28"},
        {"2024-12-31T22:00:00-0300", "2025/01/01"},
        {"2028-02-29T00:00:00Z", "2028/02/29"},
        {"2027-02-29T00:00:00Z", ""},
        {"2027-13-01", ""},
        {"2027-03-04T25:00:00Z", ""},
        {"2027-03-04T18:20:01Zjunk", ""},
        {"27-03-04", ""},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(tableDateOfRdapDate(text).value_or(""), expected) << text;
    }
}

TEST(RdapAnswer, ReadsTheStatusAndTheDatesThatDateIt)
{
    std::string words = R"("Redemption Period", 7, "pending delete", ")" + std::string(100, 'x') + R"(")";
    for (int i = 0; i < 40; ++i) {
        words += R"(, "client transfer prohibited")";
    }
    const std::string body = R"({"objectClassName": "domain", "status": [)" + words + R"(], "events": [
      {"eventAction": "Last Changed", "eventDate": "2027-04-18T09:00:00Z"},
      {"eventAction": "deletion", "eventDate": "2027-05-23T00:00:00Z"},
      {"eventAction": "expiration", "eventDate": "2027-03-04T18:20:01Z"}]})";
    const RdapAnswer answer = readRdapAnswer(200, body);
    ASSERT_EQ(answer.status.size(), 32U) << "bounded, and only strings of a word's length";
    EXPECT_EQ(answer.status[0], "Redemption Period");
    EXPECT_EQ(answer.status[1], "pending delete");
    EXPECT_EQ(answer.lastChanged, "2027/04/18");
    EXPECT_EQ(answer.deletion, "2027/05/23");
    EXPECT_TRUE(readRdapAnswer(200, R"({"objectClassName": "domain", "status": "active"})").status.empty());
}

} // namespace
} // namespace ostrevo
