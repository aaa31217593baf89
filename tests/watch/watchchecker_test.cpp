// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchchecker.h"
#include "watch/watchcommand.h"

#include "faketicksource.h"
#include "loopbackhttpserver.h"
#include "tempfolder.h"
#include "watch/watchstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <sstream>

namespace ostrevo {
namespace {

using namespace test;

// A registry's answer for a name on its road to a drop.
std::string domainAnswer(const std::string& status, const std::string& expiry, const std::string& changed)
{
    return R"({"objectClassName": "domain", "ldhName": "WATCHED-SHOP.COM", "status": [)" + status +
           R"(], "events": [{"eventAction": "registration", "eventDate": "2011-03-04T18:20:01Z"},
  {"eventAction": "expiration", "eventDate": ")" +
           expiry + R"(T18:20:01Z"}, {"eventAction": "last changed", "eventDate": ")" + changed +
           R"(T09:00:00Z"}, {"eventAction": "last update of RDAP database", "eventDate": "2026-12-07T09:00:00Z"}],
  "entities": [{"objectClassName": "entity", "roles": ["registrar"]}]})";
}

struct Answer {
    int status = 200;
    std::string body;
};

// One domain's registry, answering whatever the test set last.
class Registry {
public:
    Registry()
    {
        m_server.get("/rdap/domain/watched-shop.com",
                     [this](const httplib::Request&, httplib::Response& response) {
                         const std::lock_guard lock(m_mutex);
                         response.status = m_answer.status;
                         response.set_content(m_answer.body, "application/rdap+json");
                         ++m_requests;
                     });
        m_server.start();
    }
    void set(Answer answer)
    {
        const std::lock_guard lock(m_mutex);
        m_answer = std::move(answer);
    }
    int requests() const { return m_requests; }
    std::string bootstrap() const
    {
        return R"({"version": "1.0", "services": [[["com"], [")" + m_server.url("/rdap/") + R"("]]]})";
    }

private:
    LoopbackHttpServer m_server;
    std::mutex m_mutex;
    Answer m_answer;
    std::atomic<int> m_requests{0};
};

WallTime at(int year, unsigned month, unsigned day, int hour = 12)
{
    const std::chrono::sys_days date =
        std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day);
    return date.time_since_epoch().count() * 86400LL + hour * 3600;
}

class WatchCheckerTest : public ::testing::Test {
protected:
    WatchCheckerTest()
        : servers(folder.write("rdap-dns.json", registry.bootstrap())), store(folder / "watch.sqlite"),
          checker(store, servers, ticks, [this] { return now; }, {.requestsPerSecond = 1000})
    {
        checker.setHooks({
            .notice = [this](const WatchNotice& notice) { notices.push_back(notice); },
            .checked = {},
            .error = [this](const std::string& error) { errors.push_back(error); },
            .finished = {},
        });
    }

    // Lets the round play out on the fake clock; false when it never ends.
    bool settle()
    {
        QElapsedTimer guard;
        guard.start();
        while (checker.busy() && guard.elapsed() < 20'000) {
            ticks.advance(10);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return !checker.busy();
    }

    TempFolder folder;
    Registry registry;
    std::filesystem::path servers;
    WatchStore store;
    FakeTickSource ticks;
    WallTime now = 0;
    WatchChecker checker;
    std::vector<WatchNotice> notices;
    std::vector<std::string> errors;
};

TEST_F(WatchCheckerTest, AnnouncesExactlyTheActionableStepsOfTheRoadToADrop)
{
    const std::string active = R"("active", "client transfer prohibited")";
    const std::string autoRenew = R"("auto renew period", "client transfer prohibited")";
    const std::string redemption = R"("redemption period", "pending delete")";
    const struct {
        WallTime when;
        Answer answer;
        std::vector<WatchNoticeKind> notices;
        DomainState state;
        WallTime nextAfter;
    } steps[] = {
        {at(2026, 2, 1),
         {200, domainAnswer(active, "2026-03-04", "2025-02-10")},
         {},
         DomainState::Registered,
         DailyCheck},
        {at(2026, 2, 2),
         {200, domainAnswer(active, "2026-03-04", "2025-02-10")},
         {},
         DomainState::Registered,
         DailyCheck},
        {at(2026, 2, 20),
         {200, domainAnswer(active, "2027-03-04", "2026-02-19")},
         {WatchNoticeKind::Renewed},
         DomainState::Registered,
         DailyCheck},
        // The registry moves the expiry on by itself at the start of the grace: no renewal.
        {at(2027, 3, 5),
         {200, domainAnswer(autoRenew, "2028-03-04", "2027-03-05")},
         {},
         DomainState::Expired,
         DailyCheck},
        {at(2027, 3, 6), {500, "down"}, {}, DomainState::Expired, DailyCheck},
        {at(2027, 3, 7),
         {200, domainAnswer(autoRenew, "2028-03-04", "2027-03-05")},
         {},
         DomainState::Expired,
         DailyCheck},
        {at(2027, 4, 19),
         {200, domainAnswer(redemption, "2028-03-04", "2027-04-18")},
         {WatchNoticeKind::EnteredRedemption},
         DomainState::Redemption,
         CloseCheck},
        {at(2027, 4, 19, 18),
         {200, domainAnswer(redemption, "2028-03-04", "2027-04-18")},
         {},
         DomainState::Redemption,
         CloseCheck},
        {at(2027, 5, 18),
         {200, domainAnswer(R"("pending delete")", "2028-03-04", "2027-05-18")},
         {WatchNoticeKind::EnteredPendingDelete},
         DomainState::PendingDelete,
         CloseCheck},
        {at(2027, 5, 23), {404, ""}, {WatchNoticeKind::Available}, DomainState::NotRegistered, DailyCheck},
        {at(2027, 5, 24), {404, ""}, {}, DomainState::NotRegistered, DailyCheck},
    };
    ASSERT_TRUE(store.add("watched-shop.com", steps[0].when));
    int missed = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(dayOfWallTime(step.when) + " " + std::to_string(step.answer.status));
        registry.set(step.answer);
        now = step.when;
        notices.clear();
        checker.checkDue();
        ASSERT_TRUE(settle());
        std::vector<WatchNoticeKind> kinds;
        for (const WatchNotice& notice : notices) {
            kinds.push_back(notice.kind);
        }
        EXPECT_EQ(kinds, step.notices);
        const WatchedDomain domain = *store.domain("watched-shop.com");
        ASSERT_TRUE(domain.finding);
        EXPECT_EQ(domain.finding->state, step.state);
        EXPECT_EQ(domain.nextCheck, step.when + step.nextAfter);
        missed += step.answer.status == 500 ? 1 : 0;
        EXPECT_EQ(checker.missed(), missed);
    }
    EXPECT_TRUE(errors.empty());

    const WatchedDomain redeeming = [&] {
        WatchStore again(folder / "watch.sqlite");
        return *again.domain("watched-shop.com");
    }();
    EXPECT_EQ(redeeming.finding->drops, "");
    EXPECT_EQ(store.recentNotices(10).size(), 4U);
}

TEST_F(WatchCheckerTest, ChecksOnlyWhatIsDueAndStopsCleanly)
{
    registry.set({200, domainAnswer(R"("redemption period")", "2027-03-04", "2027-04-18")});
    now = at(2027, 4, 19);
    ASSERT_TRUE(store.add("watched-shop.com", now));
    checker.checkDue();
    ASSERT_TRUE(settle());
    EXPECT_EQ(store.domain("watched-shop.com")->finding->drops, "2027/05/23");
    const int asked = registry.requests();

    now += CloseCheck - 1;
    checker.checkDue();
    EXPECT_FALSE(checker.busy());
    EXPECT_EQ(registry.requests(), asked);

    now += 1;
    checker.checkDue();
    EXPECT_TRUE(checker.busy());
    checker.stop();
    EXPECT_FALSE(checker.busy());
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(store.domain("watched-shop.com")->lastChecked, now - CloseCheck) << "a stopped check stays due";
    EXPECT_EQ(store.due(now), std::vector<std::string>{"watched-shop.com"});
}

TEST_F(WatchCheckerTest, SaysSoWhenTheServerListIsMissing)
{
    std::filesystem::remove(servers);
    now = at(2027, 4, 19);
    store.add("watched-shop.com", now);
    checker.checkDue();
    EXPECT_FALSE(checker.busy());
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_NE(errors.front().find("Update RDAP servers"), std::string::npos);
}

TEST(CheckWatchCommand, PrintsOneLinePerChangeAndSaysSoInItsExitCode)
{
    TempFolder folder;
    Registry registry;
    const std::filesystem::path servers = folder.write("rdap-dns.json", registry.bootstrap());
    const std::filesystem::path database = folder / "watch.sqlite";
    const WallTime now = systemWallTime();
    {
        WatchStore store(database);
        store.add("watched-shop.com", now - DailyCheck);
        store.recordCheck({"watched-shop.com",
                           now - DailyCheck,
                           {DomainState::Expired, "2027/03/04", ""},
                           "",
                           {},
                           {},
                           now - 1});
    }
    const std::string today = dayOfWallTime(now);
    const std::string iso = today.substr(0, 4) + "-" + today.substr(5, 2) + "-" + today.substr(8, 2);
    const struct {
        Answer answer;
        int exitCode;
        std::string out;
    } runs[] = {
        {{200, domainAnswer(R"("redemption period")", "2020-01-01", iso)},
         1,
         "watched-shop.com entered redemption, drops about " + addDays(today, 35) + "\n"},
        {{200, domainAnswer(R"("redemption period")", "2020-01-01", iso)}, 0, ""},
        {{500, ""}, 2, ""},
    };
    for (const auto& run : runs) {
        registry.set(run.answer);
        {
            WatchStore store(database);
            store.setNextCheck("watched-shop.com", now - 1);
        }
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(checkDueWatchedDomains(database, servers, out, err), run.exitCode) << err.str();
        EXPECT_EQ(out.str(), run.out);
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(checkDueWatchedDomains(database, folder / "none.json", out, err), 0)
        << "nothing due, nothing read";
    WatchStore(database).setNextCheck("watched-shop.com", 0);
    EXPECT_EQ(checkDueWatchedDomains(database, folder / "none.json", out, err), 2);
    EXPECT_NE(err.str().find("cannot be read"), std::string::npos) << err.str();
}

} // namespace
} // namespace ostrevo
