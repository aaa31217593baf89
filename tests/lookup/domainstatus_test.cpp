// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/domainstatus.h"
#include "lookup/whoisparser.h"
#include "lookup/whoisstatus.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

constexpr std::string_view Today = "2027/04/01";

struct SummaryCase {
    std::vector<std::string> words;
    std::string expires;
    DomainState state;
};

TEST(DomainStatus, SumsUpRdapWordsAndEppCodes)
{
    const SummaryCase cases[] = {
        // The RDAP words of the EPP codes, as registries send them.
        {{"active"}, "2028/01/01", DomainState::Registered},
        {{"client transfer prohibited", "server delete prohibited"}, "2028/01/01", DomainState::Registered},
        {{"add period"}, "2028/01/01", DomainState::Registered},
        {{"renew period", "pending renew"}, "2028/01/01", DomainState::Registered},
        {{"transfer period", "pending transfer"}, "2028/01/01", DomainState::Registered},
        {{"inactive"}, "2028/01/01", DomainState::Registered},
        {{"auto renew period", "client transfer prohibited"}, "2027/03/04", DomainState::Expired},
        {{"redemption period"}, "2027/03/04", DomainState::Redemption},
        {{"Pending Delete", "Redemption Period"}, "2027/03/04", DomainState::Redemption},
        {{"pending restore"}, "2027/03/04", DomainState::Redemption},
        {{"pending delete"}, "2027/03/04", DomainState::PendingDelete},
        {{"client hold"}, "2028/01/01", DomainState::OnHold},
        {{"SERVER HOLD", "active"}, "2028/01/01", DomainState::OnHold},
        {{"auto renew period", "client hold"}, "2027/03/04", DomainState::Expired},
        // EPP codes, as whois pages write them.
        {{"ok"}, "2028/01/01", DomainState::Registered},
        {{"autoRenewPeriod"}, "2027/03/04", DomainState::Expired},
        {{"redemptionPeriod", "pendingDelete"}, "2027/03/04", DomainState::Redemption},
        {{"pendingDelete"}, "2027/03/04", DomainState::PendingDelete},
        {{"clientHold", "serverTransferProhibited"}, "2028/01/01", DomainState::OnHold},
        {{"free"}, "", DomainState::NotRegistered},
        // No word that tells: the expiry decides.
        {{"active"}, "2027/03/31", DomainState::Expired},
        {{}, "2027/04/01", DomainState::Registered},
        {{}, "2027/03/31", DomainState::Expired},
        {{}, "", DomainState::Unknown},
        {{}, "not a date", DomainState::Unknown},
    };
    for (const SummaryCase& c : cases) {
        const StatusFacts facts{c.words, c.expires, {}, {}};
        EXPECT_EQ(stateText(summarizeStatus(facts, Today)), stateText(c.state))
            << (c.words.empty() ? "(none)" : c.words.front()) << " " << c.expires;
    }
}

TEST(DomainStatus, StateTextsReadBack)
{
    for (const DomainState state :
         {DomainState::Unknown, DomainState::Registered, DomainState::Expired, DomainState::Redemption,
          DomainState::PendingDelete, DomainState::OnHold, DomainState::NotRegistered}) {
        EXPECT_EQ(stateOfText(stateText(state)), state) << stateText(state);
    }
    EXPECT_EQ(stateOfText("whatever"), DomainState::Unknown);
}

TEST(WhoisStatus, ReadsDomainStatusLines)
{
    const struct {
        std::string line; // owned: one case is built at run time
        std::optional<std::string> word;
    } cases[] = {
        {"Domain Status: redemptionPeriod https://icann.org/epp#redemptionPeriod", "redemptionPeriod"},
        {"   Domain Status: clientTransferProhibited http://www.icann.org/epp#clientTransferProhibited\r",
         "clientTransferProhibited"},
        {"Domain Status: pendingDelete", "pendingDelete"},
        {"domain status: client hold (https://icann.org/epp#clientHold)", "client hold"},
        {"Status: ACTIVE", "ACTIVE"},
        {"Status:\tconnect", "connect"},
        {"domain-status: autoRenewPeriod", "autoRenewPeriod"},
        {"Domain Status:", std::nullopt},
        {"Registrar URL: http://registrar.test", std::nullopt},
        {"Registry Expiry Date: 2027-03-04T18:20:01Z", std::nullopt},
        {"The status of this notice: whatever", std::nullopt},
        {"Domain Status: " + std::string(100, 'x'), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(whoisStatusOfLine(c.line), c.word) << c.line;
    }
}

TEST(WhoisStatus, ParserKeepsEveryStatusLineOfARecord)
{
    const std::string page =
        "Domain Name: EXAMPLE-SHOP.COM\r\n"
        "Registry Expiry Date: 2027-03-04T18:20:01Z\r\n"
        "Domain Status: clientTransferProhibited https://icann.org/epp#clientTransferProhibited\r\n"
        "Domain Status: redemptionPeriod https://icann.org/epp#redemptionPeriod\r\n"
        "Domain Status: pendingDelete https://icann.org/epp#pendingDelete\r\n";
    const WhoisAnswer answer = ParseWhoisPage(page);
    ASSERT_EQ(answer.outcome, WhoisOutcome::Record);
    EXPECT_EQ(answer.record.status,
              (std::vector<std::string>{"clientTransferProhibited", "redemptionPeriod", "pendingDelete"}));
    EXPECT_EQ(summarizeStatus({answer.record.status, answer.record.expires, {}, {}}, Today),
              DomainState::Redemption);

    std::string flood;
    for (int i = 0; i < 1000; ++i) {
        flood += "Domain Status: ok\n";
    }
    EXPECT_EQ(whoisStatusWords(flood).size(), 32U);
}

TEST(DomainStatus, EstimatesTheDropFromTheStagesLeft)
{
    const struct {
        DomainState state;
        StatusFacts facts;
        std::optional<std::string> day;
        std::string assumedStart;
    } cases[] = {
        {DomainState::Registered, {{}, "2028/01/01", {}, {}}, std::nullopt, ""},
        {DomainState::Expired, {{}, "2027/03/04", {}, {}}, "2027/05/23", "grace up to 45 days"},
        {DomainState::OnHold, {{}, "2027/03/04", {}, {}}, "2027/05/23", "grace up to 45 days"},
        {DomainState::Redemption, {{}, "2027/03/04", "2027/03/20", {}}, "2027/04/24", "redemption 30 days"},
        {DomainState::Redemption, {{}, "2027/03/04", {}, {}}, "2027/04/08", "redemption 30 days"},
        {DomainState::PendingDelete, {{}, "2027/02/01", "2027/03/30", {}}, "2027/04/04", "pending delete 5"},
        {DomainState::PendingDelete, {{}, "", "2027/12/30", {}}, "2028/01/04", "pending delete 5"},
        {DomainState::Redemption,
         {{}, "2027/03/04", "2027/03/20", "2027/04/19"},
         "2027/04/19",
         "the registry's deletion date"},
        {DomainState::PendingDelete, {{}, "", "", ""}, std::nullopt, ""},
        {DomainState::NotRegistered, {{}, "2027/03/04", {}, {}}, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::optional<DropEstimate> estimate = estimateDrop(c.state, c.facts, Today);
        ASSERT_EQ(estimate.has_value(), c.day.has_value()) << stateText(c.state) << " " << c.facts.expires;
        if (estimate) {
            EXPECT_EQ(estimate->day, *c.day);
            EXPECT_TRUE(estimate->assumed.starts_with(c.assumedStart)) << estimate->assumed;
            EXPECT_TRUE(dropText(*estimate).starts_with("about " + *c.day + " (")) << dropText(*estimate);
        }
    }
}

TEST(DomainStatus, CountsDaysOverMonthsAndLeapYears)
{
    EXPECT_EQ(daysBetween("2028/02/28", "2028/03/01"), 2);
    EXPECT_EQ(daysBetween("2027/03/01", "2027/02/28"), -1);
    EXPECT_EQ(daysBetween("2027/02/29", "2027/03/01"), std::nullopt);
    EXPECT_EQ(daysBetween("2027-03-01", "2027/03/01"), std::nullopt);
    EXPECT_EQ(addDays("2027/12/31", 1), "2028/01/01");
    EXPECT_EQ(addDays("junk", 1), "");
}

} // namespace
} // namespace ostrevo
