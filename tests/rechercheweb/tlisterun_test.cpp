// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The search run on fake page loaders and a fake clock: turns, offsets, the
// limit and the hand-over, Stop and close, refusals and errors.
#include "listefixture.h"

#include "net/activeproxy.h"
#include "platform/statuspanels.h"
#include "rechercheweb/pagewindow.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <QApplication>

namespace ostrevo {
namespace {

using test::CatalogueEngine;
using test::FakePageLoader;
using test::ListeFixture;

// "alpha-10" for http://alpha.test/...=10
std::string pageTag(const std::string& url)
{
    const std::size_t host = url.find("://") + 3;
    return url.substr(host, url.find('.', host) - host) + "-" + url.substr(url.rfind('=') + 1);
}

// Every result page holds two hosts of its own, one behind http, one behind
// https, and a line that is no link.
std::string resultPage(const std::string& url)
{
    const std::string tag = pageTag(url);
    return "Results for you\r\nFirst http://www." + tag + "-a.com/page\r\nSecond https://" + tag +
           "-b.net/x more\r\n";
}

struct ButtonStates {
    bool play, stop, finish, commands;
    bool operator==(const ButtonStates&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ButtonStates& s)
{
    return out << "{play " << s.play << ", stop " << s.stop << ", finish " << s.finish << ", commands "
               << s.commands << "}";
}

class SearchRunTest : public ListeFixture {
protected:
    void SetUp() override
    {
        writeCatalogue({{"Alpha", "http://alpha.test/s?q=", "&first=", "0", "10"},
                        {"Beta", "http://beta.test/?k=", "&o=", "1", "5"}});
        liste->show();
        liste->keywords->setText(QStringLiteral("cheap hotels"));
        setUpLoader = [](FakePageLoader& loader, int) { loader.answerEveryNavigation(&resultPage); };
    }

    // Runs `action` during the run, once loader `index` has been sent to a
    // URL ending in `suffix`.
    void whenNavigated(int index, const std::string& suffix, std::function<void()> action)
    {
        setUpLoader = [index, suffix, action](FakePageLoader& loader, int made) {
            loader.setNavigateHandler([&loader, index, made, suffix, action](const std::string& url) {
                loader.completeSoon(resultPage(url));
                if (made == index && url.ends_with(suffix)) {
                    QTimer::singleShot(0, &loader, action);
                }
            });
        };
    }

    void start()
    {
        ASSERT_TRUE(liste->Bplay->isEnabled());
        liste->Bplay->click();
    }

    ButtonStates buttons() const
    {
        const bool commands = liste->ToolButton2->isEnabled();
        EXPECT_EQ(liste->Bopen->isEnabled(), commands);
        EXPECT_EQ(liste->BDisk->isEnabled(), commands);
        EXPECT_EQ(liste->SpeedButton1->isEnabled(), commands);
        return {liste->Bplay->isEnabled(), liste->Bstop->isEnabled(), liste->Button6->isEnabled(), commands};
    }

    std::vector<bool> tickFlags() const
    {
        std::vector<bool> result;
        liste->urls().forEachEntry([&](const std::string&, bool ticked) { result.push_back(ticked); });
        return result;
    }
};

TEST_F(SearchRunTest, EnginesTakeTurnsPagingByTheirOwnStepsUntilTheLimit)
{
    tickEngine(0);
    tickEngine(1);
    liste->totalresultats->setText(QStringLiteral("8"));
    start();

    ASSERT_EQ(loaders.size(), 2u);
    EXPECT_EQ(loaders[0]->navigatedUrls(),
              (std::vector<std::string>{"http://alpha.test/s?q=cheap hotels&first=0",
                                        "http://alpha.test/s?q=cheap hotels&first=10",
                                        "http://alpha.test/s?q=cheap hotels&first=20"}));
    EXPECT_EQ(loaders[1]->navigatedUrls(),
              (std::vector<std::string>{"http://beta.test/?k=cheap hotels&o=1",
                                        "http://beta.test/?k=cheap hotels&o=6",
                                        "http://beta.test/?k=cheap hotels&o=11"}));
    // A first page is only loaded; each later turn reads the page before.
    EXPECT_EQ(loaders[0]->pageTextReads(), 2);
    EXPECT_EQ(loaders[1]->pageTextReads(), 2);
    for (FakePageLoader* loader : loaders) {
        EXPECT_FALSE(loader->visible());
        EXPECT_TRUE(loader->silent());
        EXPECT_TRUE(loader->requestNewWindow());
    }

    // The limit ended the run and Finish handed the hosts over.
    const std::vector<std::string> hosts{"www.alpha-0-a.com", "alpha-0-b.net",      "www.beta-1-a.com",
                                         "beta-1-b.net",      "www.alpha-10-a.com", "alpha-10-b.net",
                                         "www.beta-6-a.com",  "beta-6-b.net"};
    EXPECT_EQ(urlTexts(), hosts);
    // The lookup asks for each host's registered domain.
    EXPECT_EQ(lookedUpHosts(),
              (std::vector<std::string>{"alpha-0-a.com", "alpha-0-b.net", "beta-1-a.com", "beta-1-b.net",
                                        "alpha-10-a.com", "alpha-10-b.net", "beta-6-a.com", "beta-6-b.net"}));
    EXPECT_EQ(tickFlags(), std::vector<bool>(8, false));
    EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));
    EXPECT_EQ(liste->buffer->maximum(), 8);
    EXPECT_TRUE(liste->isHidden());
    EXPECT_TRUE(liste->stopFlag());
    EXPECT_FALSE(form1->BPlay->isEnabled());
    EXPECT_TRUE(form1->BStop->isEnabled());
    EXPECT_FALSE(form1->BOpen->isEnabled());
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(SearchRunTest, KeywordsAreEncodedAndReadAfreshEveryTurn)
{
    tickEngine(0);
    liste->keywords->setText(QStringLiteral("c# a+b"));
    liste->totalresultats->setText(QStringLiteral("4"));
    whenNavigated(0, "=0", [this] { liste->keywords->setText(QStringLiteral("new")); });
    start();
    EXPECT_EQ(loaders[0]->navigatedUrls(),
              (std::vector<std::string>{"http://alpha.test/s?q=c%23 a%2Bb&first=0",
                                        "http://alpha.test/s?q=new&first=10",
                                        "http://alpha.test/s?q=new&first=20"}));
}

TEST_F(SearchRunTest, WhileRunningStartIsOffAndStopAndFinishAreOn)
{
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("2"));
    std::optional<ButtonStates> during;
    whenNavigated(0, "=0", [&] { during = buttons(); });
    start();
    ASSERT_TRUE(during);
    EXPECT_EQ(*during, (ButtonStates{false, true, true, false}));
}

TEST_F(SearchRunTest, LimitAlreadyReachedEndsAfterTheFirstTurn)
{
    tickEngine(0);
    tickEngine(1);
    liste->totalresultats->setText(QStringLiteral("0"));
    start();
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 1u);
    EXPECT_TRUE(loaders[1]->navigatedUrls().empty());
    EXPECT_EQ(prompts.log(), std::vector<QString>{QStringLiteral(
                                 "information: You must extract urls or load a list of urls before !")});
    EXPECT_TRUE(mainLoader->navigatedUrls().empty());
    // Finish refused: the window stays.
    EXPECT_FALSE(liste->isHidden());
}

TEST_F(SearchRunTest, KeptListIsAddedToWithoutRepeats)
{
    liste->urls().append("WWW.ALPHA-0-A.COM");
    liste->urls().append("old.example.com");
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("4"));
    prompts.answerQuestion(false);
    start();
    EXPECT_EQ(prompts.log().front(), QStringLiteral("question: Delete previous list of urls ?"));
    EXPECT_EQ(lookedUpHosts(), (std::vector<std::string>{"alpha-0-a.com", "example.com", "alpha-0-b.net",
                                                         "alpha-10-a.com", "alpha-10-b.net"}));
}

TEST_F(SearchRunTest, AnsweringYesStartsFromAnEmptyList)
{
    liste->urls().append("old.example.com");
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("2"));
    prompts.answerQuestion(true);
    start();
    EXPECT_EQ(lookedUpHosts(), (std::vector<std::string>{"alpha-0-a.com", "alpha-0-b.net"}));
}

TEST_F(SearchRunTest, StopAnsweredNoGoesOnAndYesEndsTheRun)
{
    tickEngine(0);
    liste->RadioButton1->click();
    prompts.answerQuestion(false);
    prompts.answerQuestion(true);
    setUpLoader = [this](FakePageLoader& loader, int) {
        loader.setNavigateHandler([this, &loader](const std::string& url) {
            loader.completeSoon(resultPage(url));
            if (url.ends_with("=20") || url.ends_with("=40")) {
                QTimer::singleShot(0, liste->Bstop, &QToolButton::click);
            }
        });
    };
    start();

    EXPECT_EQ(prompts.log(), (std::vector<QString>{QStringLiteral("question: Stop extracting ?"),
                                                   QStringLiteral("question: Stop extracting ?")}));
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 5u);
    EXPECT_EQ(liste->urls().count(), 8);
    EXPECT_EQ(tickFlags(), std::vector<bool>(8, true));
    EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));
    // Unlimited: the bar still takes its maximum from the box.
    EXPECT_EQ(liste->buffer->maximum(), 250);
    EXPECT_TRUE(mainLoader->navigatedUrls().empty());
    EXPECT_FALSE(liste->isHidden());
}

TEST_F(SearchRunTest, EnginesThatRunOutEndTheRunInBothLimitModes)
{
    // Alpha has results on two pages, Beta on one; after that, none.
    setUpLoader = [](FakePageLoader& loader, int) {
        loader.answerEveryNavigation([](const std::string& url) {
            const int offset = std::stoi(url.substr(url.rfind('=') + 1));
            return offset < (url.find("alpha") != std::string::npos ? 20 : 6)
                       ? resultPage(url)
                       : std::string("No more results");
        });
    };
    tickEngine(0);
    tickEngine(1);
    for (QRadioButton* mode : {liste->RadioButton3, liste->RadioButton1}) {
        mode->click();
        if (!liste->urls().isEmpty()) {
            prompts.answerQuestion(true); // Delete previous list of urls ?
        }
        loaders.clear();
        start();
        ASSERT_EQ(loaders.size(), 2u);
        EXPECT_EQ(loaders[0]->navigatedUrls().size(), 5u);
        EXPECT_EQ(loaders[1]->navigatedUrls().size(), 4u);
        EXPECT_EQ(urlTexts().size(), 6u);
        EXPECT_EQ(liste->deps->item(0)->text(), QStringLiteral("Alpha - no more results"));
        EXPECT_EQ(liste->deps->item(1)->text(), QStringLiteral("Beta - no more results"));
        EXPECT_EQ(liste->StatusBar1->panelText(1),
                  QStringLiteral("Every engine is done: the search has ended"));
        // As a confirmed Stop: links kept and ticked, the window stays for Finish.
        EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));
        EXPECT_EQ(tickFlags(), std::vector<bool>(6, true));
        EXPECT_TRUE(liste->stopFlag());
        EXPECT_FALSE(liste->isHidden());
        EXPECT_TRUE(mainLoader->navigatedUrls().empty());
    }
}

TEST_F(SearchRunTest, CheckPausesItsEngineUntilAnsweredInThePageWindow)
{
    tickEngine(0);
    tickEngine(1);
    liste->totalresultats->setText(QStringLiteral("16"));
    struct Seen {
        QString line, status;
        bool showPageOn = false, windowShown = false, stillWaitingAfterClose = false;
        QSize windowSize;
    } seen;
    bool checked = false;
    setUpLoader = [&](FakePageLoader& loader, int made) {
        loader.setNavigateHandler([&, made](const std::string& url) {
            if (made == 0 && url.ends_with("=10") && !checked) {
                checked = true;
                loader.completeSoon("Are you a robot?", 429, "http://alpha.test/sorry/index");
                return;
            }
            loader.completeSoon(resultPage(url));
            if (made == 1 && url.ends_with("=16")) {
                QTimer::singleShot(0, &loader, [&] {
                    seen.line = liste->deps->item(0)->text();
                    seen.status = liste->StatusBar1->panelText(1);
                    seen.showPageOn = liste->showPageButton->isEnabled();
                    liste->showPageButton->click();
                    auto* window = liste->findChild<PageWindow*>();
                    seen.windowShown = window != nullptr && window->isVisible();
                    seen.windowSize = window != nullptr ? window->size() : QSize();
                    // Closed by hand: the engine still waits; shown again, then answered.
                    window->close();
                    seen.stillWaitingAfterClose = liste->showPageButton->isEnabled();
                    liste->showPageButton->click();
                    loaders[0]->completeSoon(resultPage("http://alpha.test/s?q=x&first=10"));
                });
            }
        });
    };
    start();

    EXPECT_EQ(seen.line, QStringLiteral("Alpha - check needed"));
    EXPECT_EQ(seen.status, QStringLiteral("Alpha asks for a check: press Show page to answer it"));
    EXPECT_TRUE(seen.showPageOn);
    EXPECT_TRUE(seen.windowShown);
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size() * 9 / 10;
    EXPECT_EQ(seen.windowSize, QSize(1024, 768).boundedTo(screen));
    EXPECT_TRUE(seen.stillWaitingAfterClose);
    // The answered page was the page Alpha was on: it goes on from there.
    const std::vector<std::string>& alpha = loaders[0]->navigatedUrls();
    ASSERT_GE(alpha.size(), 3u);
    EXPECT_TRUE(alpha[2].ends_with("=20")) << alpha[2];
    EXPECT_TRUE(liste->urls().contains("www.alpha-10-a.com"));
    EXPECT_GE(loaders[1]->navigatedUrls().size(), 5u);
    EXPECT_EQ(liste->deps->item(0)->text(), QStringLiteral("Alpha"));
    for (auto* window : liste->findChildren<PageWindow*>()) {
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_FALSE(liste->showPageButton->isEnabled());
}

TEST_F(SearchRunTest, RefusingEngineRestsThreeTimesThenIsGivenUp)
{
    tickEngine(0);
    setUpLoader = [](FakePageLoader& loader, int) {
        loader.setNavigateHandler([&loader](const std::string& url) {
            if (url.ends_with("=0")) {
                loader.completeSoon(resultPage(url));
            } else {
                loader.completeSoon("Too many requests", 429);
            }
        });
    };
    std::vector<std::string> messages;
    ticks.setOnWait([&](std::uint32_t) {
        const std::string message = liste->StatusBar1->panelText(1).toStdString();
        if (messages.empty() || messages.back() != message) {
            messages.push_back(message);
        }
    });
    start();

    const auto resting = [](int seconds, int retry) {
        return "Alpha refuses automated searches (HTTP 429): trying again in " + std::to_string(seconds) +
               " s (" + std::to_string(retry) + " of 3)";
    };
    EXPECT_EQ(messages, (std::vector<std::string>{resting(30, 1), resting(60, 2), resting(120, 3)}));
    // The same page each time, as long as the engine refuses it.
    std::vector<std::string> asked(5, "http://alpha.test/s?q=cheap hotels&first=10");
    asked.front() = "http://alpha.test/s?q=cheap hotels&first=0";
    EXPECT_EQ(loaders[0]->navigatedUrls(), asked);
    EXPECT_EQ(liste->deps->item(0)->text(), QStringLiteral("Alpha - refused"));
    EXPECT_EQ(liste->StatusBar1->panelText(1), QStringLiteral("Every engine is done: the search has ended"));
}

TEST_F(SearchRunTest, StopOutsideARun)
{
    prompts.answerQuestion(false);
    liste->BstopClick();
    EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));

    liste->urls().append("a.com");
    liste->Bplay->setEnabled(false);
    liste->ToolButton2->setEnabled(false);
    liste->Bopen->setEnabled(false);
    liste->BDisk->setEnabled(false);
    liste->SpeedButton1->setEnabled(false);
    prompts.answerQuestion(true);
    liste->BstopClick();
    EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));
    EXPECT_EQ(tickFlags(), std::vector<bool>{true});
    EXPECT_TRUE(liste->stopFlag());
}

TEST_F(SearchRunTest, ClosingEndsTheRunAfterItsTurnAndKeepsTheLoaders)
{
    tickEngine(0);
    whenNavigated(0, "=20", [this] { liste->close(); });
    start();
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 3u);
    EXPECT_TRUE(liste->isHidden());
    QPointer<FakePageLoader> loader(loaders[0]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(loader);
    EXPECT_EQ(liste->currentRun()->engineCount(), 1);
    EXPECT_TRUE(mainLoader->navigatedUrls().empty());
}

TEST_F(SearchRunTest, FinishLetsTheRunsPagesGoBeforeTheLookup)
{
    tickEngine(0);
    tickEngine(1);
    whenNavigated(0, "=20", [this] { liste->Button6->click(); });
    std::vector<bool> releasedAtLookup;
    mainLoader->setNavigateHandler([&](const std::string&) {
        if (releasedAtLookup.empty()) {
            for (const FakePageLoader* loader : loaders) {
                releasedAtLookup.push_back(loader->pageReleased());
            }
        }
        mainLoader->completeSoon("No match\r\n");
    });
    start();

    EXPECT_EQ(releasedAtLookup, std::vector<bool>(2, true));
    EXPECT_TRUE(liste->currentRun()->isCancelled());
}

TEST_F(SearchRunTest, WaitsInTheEventLoopWhileEveryLoaderIsBusy)
{
    tickEngine(0);
    tickEngine(1);
    // Pages that never finish.
    setUpLoader = [](FakePageLoader& loader, int) { loader.setNavigateHandler([](const std::string&) {}); };
    ticks.setOnWait([this](std::uint32_t) {
        if (ticks.waitCount() == 20) {
            liste->close();
        }
    });
    const std::uint32_t before = ticks.now();
    start();
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 1u);
    EXPECT_EQ(loaders[1]->navigatedUrls().size(), 1u);
    EXPECT_EQ(ticks.waitCount(), 20);
    EXPECT_EQ(ticks.now() - before, 20u * 50u);
}

TEST_F(SearchRunTest, EmptyKeywordsComeFirst)
{
    liste->keywords->clear();
    liste->totalresultats->setText(QStringLiteral("not a number"));
    start();
    EXPECT_EQ(prompts.log(), std::vector<QString>{QStringLiteral("information: Please, enter keywords ")});
    EXPECT_TRUE(loaders.empty());
}

TEST_F(SearchRunTest, NoEngineTicked)
{
    start();
    EXPECT_EQ(prompts.log(), std::vector<QString>{
                                 QStringLiteral("information: You must select at least one search engine")});
    EXPECT_TRUE(loaders.empty());
}

TEST_F(SearchRunTest, ElevenEnginesRunAndTwelveAreRefused)
{
    std::vector<CatalogueEngine> engines;
    for (int i = 0; i < 12; ++i) {
        const std::string name = "e" + std::to_string(i);
        engines.push_back({name, "http://" + name + ".test/?q=", "&p="});
    }
    writeCatalogue(engines);
    liste->close();
    liste->show();
    for (int i = 0; i < 12; ++i) {
        tickEngine(i);
    }
    start();
    EXPECT_EQ(prompts.log(), std::vector<QString>{QStringLiteral(
                                 "information: You can use at most 11 search engines at once")});
    EXPECT_TRUE(loaders.empty());

    prompts.clearLog();
    liste->close();
    liste->show();
    // The ticks of the last start come back with the window.
    liste->deps->item(11)->setCheckState(Qt::Unchecked);
    liste->totalresultats->setText(QStringLiteral("2"));
    start();
    ASSERT_EQ(loaders.size(), 11u);
    EXPECT_EQ(loaders[10]->navigatedUrls().front(), "http://e10.test/?q=cheap hotels&p=0");
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(SearchRunTest, ErrorsEndTheRunInTheErrorBox)
{
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("12x"));
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("'12x' is not a valid integer value")});

    prompts.clearLog();
    liste->totalresultats->setText(QStringLiteral("-5"));
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("QProgressBar property out of range")});

    prompts.clearLog();
    liste->totalresultats->setText(QStringLiteral("250"));
    std::filesystem::remove(folder.path() / "listex.txt");
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("Cannot open file listex.txt")});
    EXPECT_TRUE(loaders.empty());
}

TEST_F(SearchRunTest, CatalogueEntryCutShort)
{
    folder.write("listex.txt", "Alpha\r\nhttp://alpha.test/?q=\r\n&p=\r\n");
    liste->close();
    liste->show();
    tickEngine(0);
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("List index out of bounds (3)")});
    EXPECT_TRUE(loaders.empty());
}

TEST_F(SearchRunTest, OffsetThatIsNoNumberFailsTheFirstTurn)
{
    writeCatalogue({{"Alpha", "http://alpha.test/?q=", "&p=", "first", "10"}});
    liste->close();
    liste->show();
    tickEngine(0);
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("'first' is not a valid integer value")});
    ASSERT_EQ(loaders.size(), 1u);
    EXPECT_TRUE(loaders[0]->navigatedUrls().empty());
}

TEST_F(SearchRunTest, NewRunLetsThePreviousLoadersGo)
{
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("2"));
    start();
    ASSERT_EQ(loaders.size(), 1u);
    QPointer<FakePageLoader> first(loaders[0]);

    liste->show();
    tickEngine(0);
    prompts.answerQuestion(true);
    start();
    ASSERT_EQ(loaders.size(), 2u);
    QPointer<FakePageLoader> second(loaders[1]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_TRUE(second);
}

TEST_F(SearchRunTest, RunStartedFromInsideARunningOneTakesOver)
{
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("1000"));
    prompts.answerQuestion(true);  // Stop extracting ?
    prompts.answerQuestion(false); // Delete previous list of urls ?
    whenNavigated(0, "=20", [this] {
        liste->Bstop->click();
        liste->totalresultats->setText(QStringLiteral("8"));
        liste->Bplay->click();
    });
    start();

    ASSERT_EQ(loaders.size(), 2u);
    // The first run stopped touching its loader once the second took over.
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 3u);
    EXPECT_EQ(lookedUpHosts().size(), 8u);
    QPointer<FakePageLoader> first(loaders[0]);
    QPointer<FakePageLoader> second(loaders[1]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_TRUE(second);
    EXPECT_TRUE(prompts.errors().empty());
}

TEST_F(SearchRunTest, StartThatFailsStillEndsTheRunItReplaced)
{
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("1000"));
    prompts.answerQuestion(true);  // Stop extracting ?
    prompts.answerQuestion(false); // Delete previous list of urls ?
    whenNavigated(0, "=20", [this] {
        liste->Bstop->click();
        std::filesystem::remove(folder.path() / "listex.txt");
        liste->Bplay->click();
    });
    start();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("Cannot open file listex.txt")});
    ASSERT_EQ(loaders.size(), 1u);
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 3u);
    EXPECT_EQ(liste->currentRun(), nullptr);
}

// Shows `window` and makes it the active one, as the user's click would.
void activate(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The keys do what their buttons and menu entries do, and the tool tips name them.
TEST_F(SearchRunTest, KeysDoWhatTheirButtonsDo)
{
    form1->setLinksWindow(liste.get());
    for (const char* host : {"a.com", "b.com"}) {
        form1->table().AddRow().SetCaption(std::string("http://") + host);
    }
    liste->hide();
    activate(*form1);
    const auto key = [this](int k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(form1.get(), static_cast<Qt::Key>(k), modifiers);
    };
    ResultTable& table = form1->table();
    key(Qt::Key_A);
    EXPECT_TRUE(table.Row(0).Checked() && table.Row(1).Checked());
    key(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(table.RowCount(), 0);
    key(Qt::Key_Z);
    EXPECT_EQ(table.RowCount(), 2);
    prompts.answerOpenFile(std::nullopt);
    key(Qt::Key_O);
    prompts.answerSaveFile(std::nullopt);
    key(Qt::Key_S);
    EXPECT_EQ(prompts.log(), (std::vector<QString>{QStringLiteral("open: Load expire"),
                                                   QStringLiteral("save: Save expire")}));
    key(Qt::Key_N);
    EXPECT_TRUE(liste->isVisible());
    const std::pair<QWidget*, const char*> tips[] = {
        {form1->BPlay, "Ctrl+N"},       {form1->BOpen, "Ctrl+O"},       {form1->BDisk, "Ctrl+S"},
        {form1->ToolButton2, "Ctrl+A"}, {form1->ToolButton2, "Delete"}, {form1->ToolButton2, "Ctrl+Z"},
        {liste->Bplay, "Enter"},        {liste->Bstop, "Esc"}};
    for (const auto& [button, keyName] : tips) {
        EXPECT_TRUE(button->toolTip().contains(QLatin1String(keyName))) << keyName;
    }

    // Enter in the keywords starts the search; Esc stops it after asking.
    prompts.clearLog();
    liste->close();
    activate(*liste);
    liste->Button1->click();
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("1000"));
    prompts.answerQuestion(true);
    whenNavigated(0, "=20", [this] { QTest::keyClick(liste.get(), Qt::Key_Escape); });
    QTest::keyClick(liste->keywords, Qt::Key_Return);
    EXPECT_EQ(prompts.log(), std::vector<QString>{QStringLiteral("question: Stop extracting ?")});
    EXPECT_EQ(loaders[0]->navigatedUrls().size(), 3u);
    EXPECT_EQ(buttons(), (ButtonStates{true, false, true, true}));
}

enum class WayOut { RefusedStart, Limit, Stop, Finish, Close, Error };

class WayOutTest : public SearchRunTest, public ::testing::WithParamInterface<WayOut> {};

// However a run ends, or a start is refused, both windows are left as the
// next run needs them, also once the links window is closed and shown again.
TEST_P(WayOutTest, LeavesBothWindowsReadyForTheNextRun)
{
    const WayOut way = GetParam();
    if (way == WayOut::Error) {
        writeCatalogue({{"Alpha", "http://alpha.test/?q=", "&p=", "first", "10"}});
        liste->close();
        liste->show();
    }
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("1000"));
    switch (way) {
    case WayOut::RefusedStart:
        liste->deps->item(0)->setCheckState(Qt::Unchecked);
        break;
    case WayOut::Limit:
        liste->totalresultats->setText(QStringLiteral("4"));
        break;
    case WayOut::Stop:
        prompts.answerQuestion(true);
        whenNavigated(0, "=20", [this] { liste->Bstop->click(); });
        break;
    case WayOut::Finish:
        whenNavigated(0, "=20", [this] { liste->Button6->click(); });
        break;
    case WayOut::Close:
        whenNavigated(0, "=20", [this] { liste->close(); });
        break;
    case WayOut::Error:
        break;
    }
    start();

    const bool lookedUp = way == WayOut::Limit || way == WayOut::Finish;
    const bool listed = way != WayOut::RefusedStart && way != WayOut::Error;
    EXPECT_EQ(!lookedUpHosts().empty(), lookedUp);
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing ? "shown again" : "as the run left it");
        EXPECT_EQ(buttons(), (ButtonStates{true, false, listed, true}));
        // A finished lookup waits for Stop before the main window starts again.
        EXPECT_EQ(form1->BPlay->isEnabled(), !lookedUp);
        EXPECT_EQ(form1->BStop->isEnabled(), lookedUp);
        EXPECT_EQ(form1->BOpen->isEnabled(), !lookedUp);
        liste->close();
        liste->show();
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, WayOutTest,
                         ::testing::Values(WayOut::RefusedStart, WayOut::Limit, WayOut::Stop, WayOut::Finish,
                                           WayOut::Close, WayOut::Error));

TEST_F(SearchRunTest, AFailingProxyHoldsTheRunUntilTheUserSaysTryAgainOrStop)
{
    useProxy({ProxyMode::Manual, ProxyKind::Http, "proxy.example.org", 3128, {}}, {});
    setUpLoader = [](FakePageLoader& loader, int) {
        loader.failAtProxy(ProxyFailure::Refused);
        loader.answerEveryNavigation(&resultPage);
    };
    const QString asked = QStringLiteral("question: The proxy proxy.example.org:3128 refused the "
                                         "connection\n\nTry again? No stops the search.");
    tickEngine(0);
    liste->totalresultats->setText(QStringLiteral("4"));

    prompts.answerQuestion(false);
    start();
    EXPECT_EQ(prompts.log(), std::vector<QString>{asked});
    EXPECT_TRUE(liste->urls().isEmpty());
    EXPECT_EQ(buttons(), (ButtonStates{true, false, false, true}));

    prompts.clearLog();
    prompts.answerQuestion(true);
    start();
    EXPECT_EQ(prompts.log(), std::vector<QString>{asked});
    // The page the proxy failed is asked again, and the run goes on from it.
    const std::vector<std::string> urls = loaders.back()->navigatedUrls();
    ASSERT_GE(urls.size(), 2U);
    EXPECT_EQ(urls[0], urls[1]);
    EXPECT_EQ(lookedUpHosts().size(), 4U);
    useProxy({}, {});
}

} // namespace
} // namespace ostrevo
