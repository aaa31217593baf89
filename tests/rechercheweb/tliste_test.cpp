// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The links search window: pages, showing and closing, the limit box, the
// status panel, the URL list menu, list files and the catalogue update.
#include "platform/statuspanels.h"
#include "rechercheweb/updownbuttons.h"

#include "expired/resultfiles.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/rowjournal.h"

#include "accessiblenames.h"
#include "listefixture.h"
#include "loopbackhttpserver.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdlib>
#include <fstream>

namespace ostrevo {
namespace {

using test::CatalogueEngine;
using test::catalogueText;
using test::ListeFixture;
using test::LoopbackHttpServer;
using test::readFile;
using test::TempFolder;

const std::vector<CatalogueEngine> kThreeEngines{
    {"Alpha", "http://alpha.test/?q=", "&p="},
    {"Beta", "http://beta.test/?q=", "&p="},
    {"Gamma", "http://gamma.test/?q=", "&p="},
};

class TlisteTest : public ListeFixture {
protected:
    void trigger(const char* action)
    {
        QAction* found = liste->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }

    void addUrls(std::initializer_list<const char*> texts)
    {
        for (const char* text : texts) {
            liste->urls().append(text);
        }
    }

    std::vector<bool> tickFlags() const
    {
        std::vector<bool> result;
        liste->urls().forEachEntry([&](const std::string&, bool ticked) { result.push_back(ticked); });
        return result;
    }

    bool commandsEnabled() const
    {
        return liste->ToolButton2->isEnabled() && liste->Bopen->isEnabled() && liste->BDisk->isEnabled() &&
               liste->SpeedButton1->isEnabled();
    }
};

TEST_F(TlisteTest, WelcomePageTextsAndControls)
{
    EXPECT_EQ(liste->windowTitle(), QStringLiteral("Ostrevo Links search"));
    EXPECT_EQ(liste->Label6->text(), QStringLiteral("Welcome to ostrevo project"));
    EXPECT_TRUE(liste->Label6->font().bold());
    EXPECT_EQ(liste->Label10->text(),
              QStringLiteral("All captured domains will be added to previously captured urls."));
    const QStringList lines = liste->Memo1->toPlainText().split(QLatin1Char('\n'));
    const QStringList expected{
        QStringLiteral("Welcome to ostrevo v2.00"),
        QString(),
        QStringLiteral(
            "Ostrevo allows you to search info about existing domains names related with a keyword."),
        QStringLiteral("It uses results from main world engines and check for the date expiration of found "
                       "existing web sites."),
        QStringLiteral("It retrieves: the domain name, the email of the registrant and the expiration date."),
        QStringLiteral("You can easily filter, order your results and exports them to CSV, TXT, XLS, HTML or "
                       "XML formats."),
        QStringLiteral(
            "Visit: https://ostrevo.org for further information or send email to: contact@ostrevo.org"),
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(liste->Button1->text(), QStringLiteral("Next >"));
    EXPECT_EQ(liste->SpeedButton3->text(), QStringLiteral("< Previous"));
    EXPECT_EQ(liste->Button6->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(liste->Button6->font().bold());
    EXPECT_EQ(liste->Bplay->text(), QStringLiteral("Start"));
    EXPECT_EQ(liste->Label2->text(), QStringLiteral("Enter keywords to start the search"));
    EXPECT_EQ(liste->RadioButton3->text(), QStringLiteral("Limit search to "));
    EXPECT_EQ(liste->RadioButton1->text(), QStringLiteral("Do not limit the search (use STOP)"));
    EXPECT_EQ(liste->Label1->text(), QStringLiteral("links"));
    EXPECT_TRUE(liste->RadioButton3->isChecked());
    EXPECT_EQ(liste->totalresultats->text(), QStringLiteral("250"));
    EXPECT_EQ(liste->buffer->maximum(), 100);
    EXPECT_EQ(liste->StatusBar1->panelText(0), QStringLiteral("Links:"));
    EXPECT_EQ(liste->Timer1->interval(), 1000);
    EXPECT_TRUE(liste->Timer1->isActive());
    // Tests and other windows find the controls by their names.
    for (const char* name : {"Bplay",        "Bstop",     "Bopen",      "BDisk",          "ToolButton2",
                             "SpeedButton1", "buffer",    "keywords",   "totalresultats", "UpDown2",
                             "deps",         "webs",      "StatusBar1", "Button6",        "SpeedButton3",
                             "Button1",      "GroupBox1", "GroupBox3",  "Memo1",          "PopupMenu1"}) {
        EXPECT_NE(liste->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
}

TEST_F(TlisteTest, ButtonsAtCreationAndAfterShow)
{
    EXPECT_TRUE(liste->Bplay->isEnabled());
    EXPECT_FALSE(liste->Bstop->isEnabled());
    EXPECT_FALSE(liste->Button6->isEnabled());
    EXPECT_TRUE(commandsEnabled());

    writeCatalogue(kThreeEngines);
    liste->Bplay->setEnabled(false);
    liste->Bstop->setEnabled(true);
    liste->Button6->setEnabled(true);
    liste->ToolButton2->setEnabled(false);
    liste->show();
    EXPECT_TRUE(liste->Bplay->isEnabled());
    EXPECT_FALSE(liste->Bstop->isEnabled());
    EXPECT_FALSE(liste->Button6->isEnabled());
    EXPECT_TRUE(commandsEnabled());
}

TEST_F(TlisteTest, PagesSwitchAndShowingReturnsToTheFirst)
{
    writeCatalogue(kThreeEngines);
    liste->show();
    EXPECT_FALSE(liste->GroupBox1->isHidden());
    EXPECT_TRUE(liste->GroupBox3->isHidden());
    liste->Button1->click();
    EXPECT_TRUE(liste->GroupBox1->isHidden());
    EXPECT_FALSE(liste->GroupBox3->isHidden());
    liste->SpeedButton3->click();
    EXPECT_FALSE(liste->GroupBox1->isHidden());
    EXPECT_TRUE(liste->GroupBox3->isHidden());

    liste->Button1->click();
    liste->close();
    liste->show();
    EXPECT_FALSE(liste->GroupBox1->isHidden());
    EXPECT_TRUE(liste->GroupBox3->isHidden());
}

TEST_F(TlisteTest, ShowingRefillsEnginesTickedAsLastTimeAndKeepsTheUrlList)
{
    writeCatalogue(kThreeEngines);
    liste->show();
    ASSERT_EQ(liste->deps->count(), 3);
    EXPECT_EQ(liste->deps->item(2)->text(), QStringLiteral("Gamma"));
    tickEngine(1);
    addUrls({"www.kept.com"});

    liste->close();
    EXPECT_TRUE(liste->isHidden());
    EXPECT_TRUE(liste->stopFlag());
    writeCatalogue({kThreeEngines[0], kThreeEngines[1]});
    liste->show();
    ASSERT_EQ(liste->deps->count(), 2);
    EXPECT_EQ(liste->deps->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(liste->deps->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(urlTexts(), std::vector<std::string>{"www.kept.com"});
}

TEST_F(TlisteTest, EngineListTakesLineOneOfEachBlock)
{
    // 13 lines: blocks start at lines 1, 7 and 13.
    std::string text;
    for (int line = 1; line <= 13; ++line) {
        text += "line" + std::to_string(line) + "\r\n";
    }
    folder.write("listex.txt", text);
    liste->show();
    ASSERT_EQ(liste->deps->count(), 3);
    EXPECT_EQ(liste->deps->item(1)->text(), QStringLiteral("line7"));
    EXPECT_EQ(liste->deps->item(2)->text(), QStringLiteral("line13"));
}

TEST_F(TlisteTest, MissingCatalogueIsReportedAndTheWindowStaysUsable)
{
    liste->Bplay->setEnabled(false);
    liste->show();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("File not found")});
    EXPECT_EQ(liste->deps->count(), 0);
    EXPECT_TRUE(liste->Bplay->isEnabled());

    prompts.clearLog();
    liste->close();
    folder.write("listex.txt", "");
    liste->show();
    EXPECT_TRUE(prompts.log().empty());
    EXPECT_EQ(liste->deps->count(), 0);
}

TEST_F(TlisteTest, LimitBoxFollowsTheRadioButtons)
{
    liste->RadioButton1->click();
    EXPECT_FALSE(liste->totalresultats->isEnabled());
    EXPECT_FALSE(liste->UpDown2->isEnabled());
    liste->RadioButton3->click();
    EXPECT_TRUE(liste->totalresultats->isEnabled());
}

TEST_F(TlisteTest, UpDownStepsByTwentyWithinItsRangeWhileTypingIsFree)
{
    UpDownButtons& upDown = *liste->UpDown2;
    QLineEdit& box = *liste->totalresultats;
    EXPECT_EQ(upDown.minimum(), 100);
    EXPECT_EQ(upDown.maximum(), 32000);
    EXPECT_EQ(upDown.position(), 250);

    upDown.upButton()->click();
    EXPECT_EQ(box.text(), QStringLiteral("270"));
    upDown.downButton()->click();
    upDown.downButton()->click();
    EXPECT_EQ(box.text(), QStringLiteral("230"));

    // Typing is not limited.
    box.setText(QStringLiteral("5"));
    EXPECT_EQ(box.text(), QStringLiteral("5"));
    box.setText(QStringLiteral("99999"));
    EXPECT_EQ(box.text(), QStringLiteral("99999"));
    // The arrows start from what was typed and keep to the range.
    upDown.stepUp();
    EXPECT_EQ(box.text(), QStringLiteral("32000"));
    box.setText(QStringLiteral("110"));
    upDown.stepDown();
    EXPECT_EQ(box.text(), QStringLiteral("100"));
    upDown.stepDown();
    EXPECT_EQ(box.text(), QStringLiteral("100"));
    // No number typed: from the last position.
    box.setText(QStringLiteral("many"));
    upDown.stepUp();
    EXPECT_EQ(box.text(), QStringLiteral("120"));
    // Arrow keys in the box step too.
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), QStringLiteral("140"));
}

TEST_F(TlisteTest, StatusPanelCountsTheListOnTheTimer)
{
    for (int i = 0; i < 1234; ++i) {
        liste->urls().append("www.site" + std::to_string(i) + ".com");
    }
    EXPECT_EQ(liste->StatusBar1->panelText(0), QStringLiteral("Links:"));
    liste->Timer1Timer();
    EXPECT_EQ(liste->StatusBar1->panelText(0), QStringLiteral("Links:1234"));
}

TEST_F(TlisteTest, MenuOpensBelowItsButton)
{
    writeCatalogue(kThreeEngines);
    liste->show();
    liste->Button1->click();
    liste->ToolButton2->click();
    ASSERT_TRUE(liste->PopupMenu1->isVisible());
    const QPoint inBar = liste->ToolButton2->mapTo(liste->ToolBar1, QPoint(0, 0));
    const QRect frame = liste->frameGeometry();
    EXPECT_EQ(liste->PopupMenu1->pos(), QPoint(frame.left() + inBar.x(), frame.top() + inBar.y() + 50));
    liste->PopupMenu1->hide();
}

TEST_F(TlisteTest, UrlListViewShowsEntriesAndToggledTicks)
{
    addUrls({"www.one.com", "www.two.com"});
    QAbstractItemModel* model = liste->webs->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("www.two.com"));
    EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    model->setData(model->index(1, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(tickFlags(), (std::vector<bool>{false, true}));
    liste->urls().remove(0);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    liste->urls().clear();
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(TlisteTest, EnterNewUrlAddsTickedOnceIgnoringCase)
{
    prompts.answerInput(QStringLiteral("www.Example.com"));
    trigger("EnterNewUrl");
    EXPECT_EQ(prompts.log().back(), QStringLiteral("input: Add an url | Enter new url | "));
    EXPECT_EQ(urlTexts(), std::vector<std::string>{"www.Example.com"});
    EXPECT_EQ(tickFlags(), std::vector<bool>{true});

    prompts.answerInput(QStringLiteral("WWW.EXAMPLE.COM"));
    trigger("EnterNewUrl");
    EXPECT_EQ(prompts.log().back(), QStringLiteral("information: Url already present !"));

    prompts.answerInput(QString());
    trigger("EnterNewUrl");
    prompts.answerInput(std::nullopt);
    trigger("EnterNewUrl");
    EXPECT_EQ(urlTexts().size(), 1u);
}

TEST_F(TlisteTest, AlphabeticSortKeepsTicksAndPlacesNewEntries)
{
    addUrls({"www.zeta.com", "www.Alpha.com", "www.mid.com"});
    liste->urls().setTicked(0, true);
    trigger("AlphabeticSort");
    EXPECT_EQ(urlTexts(), (std::vector<std::string>{"www.Alpha.com", "www.mid.com", "www.zeta.com"}));
    EXPECT_EQ(tickFlags(), (std::vector<bool>{false, false, true}));

    prompts.answerInput(QStringLiteral("www.beta.com"));
    trigger("EnterNewUrl");
    EXPECT_EQ(urlTexts()[1], "www.beta.com");
    EXPECT_EQ(tickFlags(), (std::vector<bool>{false, true, false, true}));
}

TEST_F(TlisteTest, CheckAndUncheckCommands)
{
    addUrls({"www.apple.com", "www.banana.net", "www.cherry.org"});
    trigger("CheckAll");
    EXPECT_EQ(tickFlags(), (std::vector<bool>{true, true, true}));
    trigger("UncheckAll");
    EXPECT_EQ(tickFlags(), (std::vector<bool>{false, false, false}));

    prompts.answerInput(QStringLiteral("apple;cherry"));
    trigger("CheckContaining");
    EXPECT_EQ(prompts.log().back(),
              QStringLiteral("input: Filter URLs | Keep urls containg string. (; as separator)  | "));
    EXPECT_EQ(tickFlags(), (std::vector<bool>{true, false, true}));

    prompts.answerInput(QStringLiteral("cherry"));
    trigger("UncheckContaining");
    EXPECT_EQ(prompts.log().back(),
              QStringLiteral("input: Filter URLs | Delete urls containg string. (; as separator)  | "));
    EXPECT_EQ(tickFlags(), (std::vector<bool>{true, false, false}));

    // Empty words match nothing; the search is case-sensitive.
    prompts.answerInput(QStringLiteral(";;"));
    trigger("CheckContaining");
    prompts.answerInput(QStringLiteral("BANANA"));
    trigger("CheckContaining");
    EXPECT_EQ(tickFlags(), (std::vector<bool>{true, false, false}));
}

TEST_F(TlisteTest, FilterOnAnEmptyListAsksNothing)
{
    trigger("CheckContaining");
    trigger("UncheckContaining");
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(TlisteTest, DeleteCommands)
{
    addUrls({"a.com", "b.com", "c.com", "d.com"});
    liste->urls().setTicked(1, true);
    liste->urls().setTicked(3, true);
    trigger("DeleteUnchecked");
    EXPECT_EQ(urlTexts(), (std::vector<std::string>{"b.com", "d.com"}));
    trigger("DeleteAll");
    EXPECT_TRUE(urlTexts().empty());
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(TlisteTest, SaveWritesOneEntryPerLineThroughItsDialog)
{
    addUrls({"www.one.com", "http://www.two.net/x"});
    const std::filesystem::path target = folder.path() / "saved.txt";
    prompts.answerSaveFile(QString::fromStdString(target.string()));
    liste->BDisk->click();
    EXPECT_EQ(prompts.lastFileRequest().title, QStringLiteral("Save a list of urls"));
    EXPECT_EQ(prompts.lastFileRequest().filters,
              (QStringList{QStringLiteral("*.txt (*.txt)"), QStringLiteral("*.* (*)")}));
    EXPECT_EQ(prompts.lastFileRequest().defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(readFile(target), "www.one.com\r\nhttp://www.two.net/x\r\n");

    // Cancelling writes nothing.
    prompts.answerSaveFile(std::nullopt);
    liste->urls().clear();
    liste->BDisk->click();
    EXPECT_EQ(readFile(target), "www.one.com\r\nhttp://www.two.net/x\r\n");
}

TEST_F(TlisteTest, SaveFailureIsReported)
{
    const std::filesystem::path target = folder.path() / "no-such-folder" / "list.txt";
    prompts.answerSaveFile(QString::fromStdString(target.string()));
    liste->BDisk->click();
    ASSERT_EQ(prompts.errors().size(), 1u);
    EXPECT_TRUE(prompts.errors()[0].startsWith(QStringLiteral("Cannot create file ")));
}

TEST_F(TlisteTest, OpenAddsTextLinesAndLeavesTheMainWindowsRowCount)
{
    addUrls({"www.one.com"});
    const auto file = folder.write("Lists/MyList.TXT", "WWW.ONE.COM\r\nwww.two.com\r\n\r\nwww.three.org");
    prompts.answerOpenFile(QString::fromStdString(file.string()));
    liste->Bopen->click();

    EXPECT_EQ(prompts.lastFileRequest().title, QStringLiteral("Open a list of urls"));
    EXPECT_EQ(prompts.lastFileRequest().filters,
              (QStringList{QStringLiteral("*.txt (*.txt)"), QStringLiteral("*.htm (*.htm)"),
                           QStringLiteral("*.html (*.html)"), QStringLiteral("*.* (*)")}));
    EXPECT_EQ(prompts.lastFileRequest().defaultSuffix, QStringLiteral("txt"));
    // Read by its own name.
    EXPECT_EQ(urlTexts(), (std::vector<std::string>{"www.one.com", "www.two.com", "", "www.three.org"}));
    EXPECT_EQ(tickFlags(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(form1->StatusBar1->panelText(1), QStringLiteral("Domains:0"));
    EXPECT_TRUE(liste->Button6->isEnabled());
    EXPECT_TRUE(prompts.errors().empty());
}

TEST_F(TlisteTest, OpenScansHtmlForItsThreeLinkForms)
{
    const auto file = folder.write(
        "links.html", "<A HREF='http://www.one.com/'>1</A> <a href=\"http://www.two.net\">2</a> "
                      "<A HREF=\"http://www.three.org/x\">3</A> <a HREF='http://www.four.com'>4</a>");
    prompts.answerOpenFile(QString::fromStdString(file.string()));
    liste->Bopen->click();
    EXPECT_EQ(urlTexts(), (std::vector<std::string>{"http://www.one.com/", "", "http://www.two.net",
                                                    "http://www.three.org/x"}));
}

TEST_F(TlisteTest, OpenCancelledDoesNothingAndMissingFileIsReported)
{
    prompts.answerOpenFile(std::nullopt);
    liste->Bopen->click();
    EXPECT_FALSE(liste->Button6->isEnabled());
    EXPECT_EQ(form1->StatusBar1->panelText(1), QStringLiteral("Domains:0"));

    prompts.answerOpenFile(QString::fromStdString((folder.path() / "gone.txt").string()));
    liste->Bopen->click();
    EXPECT_EQ(prompts.errors(), std::vector<QString>{QStringLiteral("File not found")});
    EXPECT_TRUE(urlTexts().empty());
}

class CatalogueUpdateTest : public TlisteTest {
protected:
    void SetUp() override
    {
        // Loopback requests must not wander off to a proxy of the machine.
        for (const char* name :
             {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
            ::unsetenv(name);
        }
        writeCatalogue(kThreeEngines);
        liste->show();
        liste->Button1->click();
        tickEngine(0);
        prompts.clearLog();
    }

    std::string catalogue() const { return readFile(folder.path() / "listex.txt"); }
};

TEST_F(CatalogueUpdateTest, AcceptedDownloadReplacesTheCatalogueAndShowsAgain)
{
    LoopbackHttpServer server;
    std::string body =
        catalogueText({{"GOOGLE", "http://g/?q=", "&start="}, {"Other", "https://o/?q=", "m"}});
    // The update ends the file with a line end of its own.
    body.resize(body.size() - 2);
    server.serve("/listex.txt", body, "text/plain");
    server.start();
    liste->setCatalogueServer(server.url(""));

    liste->SpeedButton1->click();
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral("information: List of search engines Updated !")});
    EXPECT_EQ(catalogue(), body + "\r\n");
    ASSERT_EQ(liste->deps->count(), 2);
    EXPECT_EQ(liste->deps->item(0)->text(), QStringLiteral("GOOGLE"));
    EXPECT_EQ(liste->deps->item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(liste->GroupBox1->isHidden());
    EXPECT_TRUE(liste->GroupBox3->isHidden());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(CatalogueUpdateTest, DownloadWithoutGoogleIsRefused)
{
    LoopbackHttpServer server;
    server.serve("/listex.txt", catalogueText({{"Bing", "h", "m"}}), "text/plain");
    server.start();
    liste->setCatalogueServer(server.url(""));
    const std::string before = catalogue();

    liste->SpeedButton1->click();
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral("information: Could not connect to the server")});
    EXPECT_EQ(catalogue(), before);
    EXPECT_EQ(liste->deps->item(0)->checkState(), Qt::Checked);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(CatalogueUpdateTest, ErrorPageIsNoCatalogue)
{
    LoopbackHttpServer server;
    server.serve("/listex.txt", "google says: not found", "text/plain", 404);
    server.start();
    liste->setCatalogueServer(server.url(""));
    const std::string before = catalogue();

    liste->SpeedButton1->click();
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral("information: Could not connect to the server")});
    EXPECT_EQ(catalogue(), before);
}

TEST_F(CatalogueUpdateTest, ServerDown)
{
    const std::string refused = LoopbackHttpServer::refusedUrl();
    // "http://127.0.0.1:<port>/"
    liste->setCatalogueServer(refused.substr(0, refused.size() - 1));
    const std::string before = catalogue();

    liste->SpeedButton1->click();
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral("information: Could not connect to the server")});
    EXPECT_EQ(catalogue(), before);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(CatalogueUpdateTest, UnwritableFolderIsReportedAndThePointerComesBack)
{
    LoopbackHttpServer server;
    server.serve("/listex.txt", catalogueText({{"Google", "http://g/?q=", "&start="}}), "text/plain");
    server.start();
    liste->setCatalogueServer(server.url(""));
    liste->setCatalogueFolder(folder.path() / "missing" / "folder");

    liste->SpeedButton1->click();
    ASSERT_EQ(prompts.errors().size(), 1u);
    EXPECT_TRUE(prompts.errors()[0].startsWith(QStringLiteral("Cannot create file ")));
    EXPECT_EQ(prompts.log().size(), 1u);
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(TlisteTest, UpdateDefaultsToTheProductServerOverHttpsAndTheFolderReadFrom)
{
    Tliste fresh(prompts, pump, *form1, [] { return std::unique_ptr<PageLoader>(); });
    EXPECT_EQ(fresh.catalogueServer(), "https://ostrevo.org");
    EXPECT_EQ(fresh.catalogueFolder(), std::filesystem::path("."));
}

// The search choices and both windows' places outlive the windows; a damaged
// settings file gives the defaults, without a word.
TEST_F(TlisteTest, SettingsOutliveTheWindowsAndDamageGivesDefaults)
{
    writeCatalogue(kThreeEngines);
    form1->show();
    form1->resize(700, 500);
    liste->show();
    liste->resize(600, 400);
    liste->keywords->setText(QStringLiteral("green tea"));
    tickEngine(1);
    liste->totalresultats->setText(QStringLiteral("300"));
    liste->RadioButton1->click();
    liste->close();
    ASSERT_TRUE(form1->close());

    const auto startAgain = [this] {
        liste.reset();
        form1 = std::make_unique<TForm1>(prompts, pump, std::make_unique<test::FakePageLoader>(),
                                         WhoisServices{});
        liste = std::make_unique<Tliste>(prompts, pump, *form1,
                                         [] { return std::make_unique<test::FakePageLoader>(); });
        liste->show();
    };
    const auto ticked = [this] {
        std::vector<bool> result;
        for (int i = 0; i < liste->deps->count(); ++i) {
            result.push_back(liste->deps->item(i)->checkState() == Qt::Checked);
        }
        return result;
    };
    startAgain();
    EXPECT_EQ(form1->size(), QSize(700, 500));
    EXPECT_EQ(liste->size(), QSize(600, 400));
    EXPECT_EQ(liste->keywords->text(), QStringLiteral("green tea"));
    EXPECT_EQ(liste->totalresultats->text(), QStringLiteral("300"));
    EXPECT_TRUE(liste->RadioButton1->isChecked());
    EXPECT_FALSE(liste->totalresultats->isEnabled());
    EXPECT_EQ(ticked(), (std::vector<bool>{false, true, false}));

    // A start that looks up a file named on the command line never shows the window.
    liste->close();
    liste.reset();
    liste = std::make_unique<Tliste>(prompts, pump, *form1,
                                     [] { return std::make_unique<test::FakePageLoader>(); });
    liste->close();
    startAgain();
    EXPECT_EQ(ticked(), (std::vector<bool>{false, true, false}));

    liste->close();
    std::ofstream(QSettings().fileName().toStdString(), std::ios::trunc)
        << "[search\nkeywords=\"open\nlimit=abc\nunlimited=maybe\n\xff\xfe[linksWindow]\ngeometry=12\n";
    startAgain();
    EXPECT_EQ(liste->keywords->text(), QString());
    EXPECT_EQ(liste->totalresultats->text(), QStringLiteral("250"));
    EXPECT_TRUE(liste->RadioButton3->isChecked());
    EXPECT_EQ(ticked(), (std::vector<bool>{false, false, false}));
    // Damaged geometry: the default size, larger than the pages and within the screen.
    const QRect screen = liste->screen()->availableGeometry();
    EXPECT_GT(liste->width(), 505);
    EXPECT_GT(liste->height(), 337);
    EXPECT_TRUE(screen.contains(liste->frameGeometry())) << liste->width() << "x" << liste->height();
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(TlisteTest, EnterGoesOnNamesEveryControlAndTabFollowsThePage)
{
    liste->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(liste.get()));
    EXPECT_EQ(test::unnamedControls(*liste), QStringList());
    // Enter presses Next, wherever the focus is on the welcome page.
    liste->Memo1->setFocus();
    QTest::keyClick(liste->Memo1, Qt::Key_Return);
    EXPECT_TRUE(liste->GroupBox3->isVisible());

    // The visible controls, as Tab reaches them, top to bottom and left to right.
    const QWidget* const expected[] = {liste->Bplay,        liste->Bopen,          liste->BDisk,
                                       liste->ToolButton2,  liste->SpeedButton1,   liste->keywords,
                                       liste->RadioButton3, liste->totalresultats, liste->deps,
                                       liste->webs,         liste->SpeedButton3};
    std::vector<const QWidget*> reached;
    const QWidget* widget = liste->Bplay;
    for (int step = 0; step < 500 && reached.size() < std::size(expected); ++step) {
        if (std::find(std::begin(expected), std::end(expected), widget) != std::end(expected) &&
            std::find(reached.begin(), reached.end(), widget) == reached.end()) {
            reached.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_TRUE(std::equal(reached.begin(), reached.end(), std::begin(expected), std::end(expected)));
}

TEST_F(TlisteTest, TheRowCountFollowsEveryWayRowsArrive)
{
    const std::string journal = (folder.path() / "journal.csv").string();
    const std::string workbook = (folder.path() / "saved.xlsx").string();
    {
        RowJournal rows(journal);
        rows.append({"http://restored.com", "mailto:a@restored.com", "2030/01/01"});
    }
    folder.write("loaded.csv", "http://one.com,x,2031/01/01\r\nhttp://two.com,y,2032/01/01\r\n");
    folder.write("hosts.txt", "http://looked-up.com/\r\n");
    {
        ResultTable saved;
        setUpResultColumns(saved);
        for (const char* host : {"http://a.com", "http://b.com", "http://c.com"}) {
            ResultRow& row = saved.AddRow();
            row.SetCaption(host);
        }
        saveResults(saved, workbook, 2026);
    }
    mainLoader->answerEveryNavigation([](const std::string&) {
        return std::string("Registrant Email: me@looked-up.com\r\nRegistry Expiry Date: 2033-01-01\r\n");
    });
    const struct {
        const char* way;
        std::function<void()> arrive;
        int rows;
    } cases[] = {
        {"journal restore",
         [&] {
             form1->setJournalFile(journal);
             prompts.answerQuestion(true);
             form1->offerJournalRestore();
         },
         1},
        {"load",
         [&] {
             prompts.answerOpenFile(QString::fromStdString((folder.path() / "loaded.csv").string()));
             form1->BOpen->click();
         },
         3},
        // An import replaces the rows with the sheet's.
        {"import",
         [&] {
             prompts.answerOpenFile(QString::fromStdString(workbook));
             form1->BOpen->click();
         },
         3},
        {"command-line lookup",
         [&] { liste->lookUpFile(QString::fromStdString((folder.path() / "hosts.txt").string())); }, 4},
    };
    for (const auto& c : cases) {
        c.arrive();
        EXPECT_EQ(form1->table().RowCount(), c.rows) << c.way;
        EXPECT_EQ(form1->StatusBar1->panelText(1), QStringLiteral("Domains:%1").arg(c.rows)) << c.way;
    }
    EXPECT_TRUE(prompts.errors().empty());
}

} // namespace
} // namespace ostrevo
