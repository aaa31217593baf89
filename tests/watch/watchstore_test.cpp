// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchstore.h"

#include "platform/errors.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrevo {
namespace {

using test::TempFolder;

WatchCheck checkOf(const std::string& name, WallTime at, DomainState state,
                   std::vector<WatchNotice> notices = {})
{
    return {name, at, {state, "2027/03/04", ""}, "", {"active"}, std::move(notices), at + DailyCheck};
}

TEST(WatchStore, KeepsTheListAndWhatEachCheckFound)
{
    TempFolder folder;
    {
        WatchStore store(folder / "watch.sqlite");
        EXPECT_TRUE(store.recoveryMessage().empty());
        EXPECT_TRUE(store.add("Shop.COM", 100));
        EXPECT_FALSE(store.add("shop.com", 200)) << "watched already";
        EXPECT_FALSE(store.add("not a domain", 200));
        EXPECT_TRUE(store.add("later.org", 50));
        EXPECT_EQ(store.due(99), std::vector<std::string>{"later.org"});
        EXPECT_EQ(store.due(100), (std::vector<std::string>{"later.org", "shop.com"}));

        store.recordCheck(checkOf("shop.com", 1000, DomainState::Registered));
        store.recordMissed("shop.com", 2000, 3000);
        store.recordCheck(
            checkOf("shop.com", 4000, DomainState::Redemption,
                    {{WatchNoticeKind::EnteredRedemption, "shop.com", "shop.com entered redemption"}}));
        store.recordCheck(checkOf("gone.net", 4000, DomainState::Registered)); // not watched: nothing kept
    }
    WatchStore store(folder / "watch.sqlite");
    const std::optional<WatchedDomain> shop = store.domain("shop.com");
    ASSERT_TRUE(shop && shop->finding);
    EXPECT_EQ(shop->finding->state, DomainState::Redemption);
    EXPECT_EQ(shop->lastChecked, 4000);
    EXPECT_EQ(shop->nextCheck, 4000 + DailyCheck);
    EXPECT_EQ(shop->missed, 0) << "an answer ends the count";
    EXPECT_FALSE(store.domain("gone.net"));

    std::vector<std::string> lines;
    for (const WatchHistoryLine& line : store.history("shop.com")) {
        lines.push_back(std::to_string(line.at) + " " + line.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"1000 registered, expires 2027/03/04", "2000 no answer",
                                               "4000 redemption, expires 2027/03/04",
                                               "4000 shop.com entered redemption"}));
    ASSERT_EQ(store.recentNotices(10).size(), 1U);

    store.remove("shop.com");
    EXPECT_FALSE(store.domain("shop.com"));
    EXPECT_TRUE(store.history("shop.com").empty());
    EXPECT_EQ(store.domains().size(), 1U);
}

TEST(WatchStore, CountsChecksWithoutAnAnswer)
{
    TempFolder folder;
    WatchStore store(folder / "watch.sqlite");
    store.add("shop.com", 0);
    store.recordMissed("shop.com", 10, 20);
    store.recordMissed("shop.com", 20, 30);
    EXPECT_EQ(store.domain("shop.com")->missed, 2);
    EXPECT_FALSE(store.domain("shop.com")->finding);
    EXPECT_EQ(store.due(25), std::vector<std::string>{}) << "tried again at the next slot";
    EXPECT_EQ(store.due(30), std::vector<std::string>{"shop.com"});
}

TEST(WatchStore, AKillDuringAWriteKeepsEveryEarlierCheck)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "watch.sqlite";
    {
        WatchStore store(file);
        store.add("shop.com", 0);
    }
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writes checks as fast as it can, telling after each commit.
        close(pipeEnds[0]);
        WatchStore store(file);
        for (WallTime at = 1;; ++at) {
            store.recordCheck(checkOf("shop.com", at, DomainState::Registered));
            if (write(pipeEnds[1], &at, sizeof at) != sizeof at) {
                _exit(1);
            }
        }
    }
    close(pipeEnds[1]);
    WallTime committed = 0;
    while (committed < 40 && read(pipeEnds[0], &committed, sizeof committed) == sizeof committed) {
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status));

    WatchStore store(file);
    EXPECT_TRUE(store.recoveryMessage().empty()) << store.recoveryMessage();
    const std::vector<WatchHistoryLine> history = store.history("shop.com");
    ASSERT_GE(static_cast<WallTime>(history.size()), committed);
    for (std::size_t i = 0; i < history.size(); ++i) {
        EXPECT_EQ(history[i].at, static_cast<WallTime>(i + 1)) << "no check lost or cut in half";
    }
    EXPECT_GE(store.domain("shop.com")->lastChecked, committed);
}

TEST(WatchStore, MovesADamagedFileAsideAndStartsAnew)
{
    TempFolder folder;
    const std::filesystem::path file = folder.write("watch.sqlite", std::string(4096, 'x'));
    WatchStore store(file);
    EXPECT_NE(store.recoveryMessage().find("moved to"), std::string::npos) << store.recoveryMessage();
    EXPECT_TRUE(store.domains().empty());
    EXPECT_TRUE(store.add("shop.com", 0));

    int aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.path().filename().string().starts_with("watch.sqlite.damaged-")) {
            ++aside;
            EXPECT_EQ(std::filesystem::file_size(entry.path()), 4096U) << "kept as it was";
        }
    }
    EXPECT_EQ(aside, 1);
}

TEST(WatchStore, RefusesWhatIsNoRegularFile)
{
    TempFolder folder;
    const std::filesystem::path fifo = folder / "watch.sqlite";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(WatchStore{fifo}, RuntimeError);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "left where it is";

    const std::filesystem::path link = folder / "link.sqlite";
    std::filesystem::create_symlink(folder / "elsewhere.sqlite", link);
    EXPECT_THROW(WatchStore{link}, RuntimeError);
    EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere.sqlite"));
}

} // namespace
} // namespace ostrevo
