// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "app/startup.h"
#include "net/tldsetting.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "splashunit/tsplash.h"

#include "resultlist/tresultlistview.h"

#include "accessiblenames.h"
#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"
#include "tablehelpers.h"
#include "xlsbuilders.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace ostrevo {
namespace {

using test::FakePageLoader;
using test::FakeTickSource;
using test::ScriptedPrompts;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : windows(createWindows(prompts, pump, std::make_unique<FakePageLoader>(), WhoisServices{})),
          form(*windows.Form1), table(form.table())
    {
        form.setUrlOpener([this](const QUrl& url) { opened.push_back(url.toString()); });
    }

    void addRow(const std::string& host, const std::string& expires, bool checked = false)
    {
        test::addRow(table, "http://" + host, {"mailto:info@" + host, expires}, checked);
    }

    std::vector<std::string> captions() const
    {
        std::vector<std::string> all;
        for (int i = 0; i < table.RowCount(); ++i) {
            all.emplace_back(table.Row(i).Caption());
        }
        return all;
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString rowCountStatus() const { return form.StatusBar1->panelText(1); }

    ScriptedPrompts prompts;
    FakeTickSource ticks;
    EventPump pump{ticks};
    StartupWindows windows;
    TForm1& form;
    ResultTable& table;
    std::vector<QString> opened;
    QTemporaryDir dir;
};

QStringList captionsOf(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    return texts;
}

TEST_F(MainWindowTest, CommandMenuHoldsEveryCommandUnderItsCaption)
{
    EXPECT_EQ(captionsOf(form.PopupMenu1),
              (QStringList{QStringLiteral("Check"), QStringLiteral("Uncheck"), QStringLiteral("Delete"),
                           QStringLiteral("Undo delete"), QString(), QStringLiteral("Watch ticked domains"),
                           QStringLiteral("Watch list..."), QString(), QStringLiteral("Look up with"),
                           QStringLiteral("List hosts that are not registered"),
                           QStringLiteral("Update RDAP servers"), QStringLiteral("TLDs to collect...")}));
    EXPECT_EQ(captionsOf(qobject_cast<QMenu*>(form.LookUpWithRdap->parent())),
              (QStringList{QStringLiteral("Registrar whois pages"), QStringLiteral("RDAP (registry data)")}));
    EXPECT_EQ(captionsOf(form.Cocher1->menu()),
              (QStringList{QStringLiteral("Date selection..."), QStringLiteral("All domains")}));
    EXPECT_EQ(captionsOf(form.Dcocher1->menu()),
              (QStringList{QStringLiteral("Date selection..."), QStringLiteral("all domains")}));
    EXPECT_EQ(captionsOf(form.Effacer2->menu()),
              (QStringList{QStringLiteral("All"), QStringLiteral("Checked domains"),
                           QStringLiteral("Unchecked domains")}));
}

TEST_F(MainWindowTest, TldsToCollectKeepOnlyAValidAnswer)
{
    const struct {
        std::optional<QString> answer;
        const char* stored;
        bool refused;
    } cases[] = {
        {QStringLiteral("fr .XYZ"), ".fr .xyz", false},
        {QStringLiteral(".com .comfacebook"), ".fr .xyz", true},
        {std::nullopt, ".fr .xyz", false},
        {QStringLiteral("*"), "*", false},
    };
    for (const auto& c : cases) {
        prompts.clearLog();
        prompts.answerInput(c.answer);
        form.CollectTlds->trigger();
        EXPECT_EQ(loadTldFilter().text(), c.stored);
        EXPECT_EQ(prompts.log().back().startsWith(QStringLiteral("error:")), c.refused)
            << prompts.log().back().toStdString();
    }
}

TEST_F(MainWindowTest, MenuOpensBelowAndRightOfTheWindowCorner)
{
    form.move(100, 200);
    form.show();
    EXPECT_EQ(form.commandMenuPoint(), form.frameGeometry().topLeft() + QPoint(50, 50));
    form.ToolButton2->click();
    EXPECT_TRUE(form.PopupMenu1->isVisible());
    form.PopupMenu1->hide();
}

TEST_F(MainWindowTest, TickUntickAndDeleteCommands)
{
    addRow("a.com", "2030/01/01");
    addRow("b.com", "2031/01/01", true);
    addRow("c.com", "2032/01/01");
    form.Touslesemails1->trigger();
    form.Dcohertouslesemails1->trigger();
    table.Row(0).SetChecked(true);
    table.Row(1).SetChecked(true);
    form.Effacertouslesemailsdcochs1->trigger();
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://c.com"}));
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:1"));

    form.Griss3->trigger();
    EXPECT_EQ(table.RowCount(), 0);

    addRow("d.com", "2030/01/01");
    form.E1->trigger();
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:0"));
    EXPECT_TRUE(prompts.log().empty());
}

TEST_F(MainWindowTest, DateFiltersTickAndUntickIncludingThePickedDay)
{
    addRow("a.com", "2012/03/07");
    addRow("b.com", "2011/12/31");
    addRow("c.com", "2012/03/08");
    form.Pardatedexpiration1->trigger();
    ASSERT_TRUE(windows.Form2->isVisible());
    windows.Form2->DateTimePicker2->setDate(QDate(2012, 3, 7));
    windows.Form2->SpeedButton1->click();
    EXPECT_FALSE(windows.Form2->isVisible());
    EXPECT_TRUE(table.Row(0).Checked());  // a.com, the day itself
    EXPECT_TRUE(table.Row(1).Checked());  // b.com, earlier
    EXPECT_FALSE(table.Row(2).Checked()); // c.com, later

    form.Pardatedexpiration2->trigger();
    windows.Form3->DateTimePicker2->setDate(QDate(2012, 3, 7));
    windows.Form3->SpeedButton1->click();
    EXPECT_FALSE(table.Row(0).Checked()); // the day itself
    EXPECT_TRUE(table.Row(1).Checked());  // earlier: left alone
    EXPECT_EQ(windows.Form2->windowTitle(), QStringLiteral("Filtres"));
    EXPECT_EQ(windows.Form3->Label1->text(), QStringLiteral("Expiration date >"));
}

TEST_F(MainWindowTest, SaveThenLoadKeepsEveryRowAndAddsNoHeaderRow)
{
    addRow("b.com", "2030/01/01");
    addRow("a.org", "2029/12/31");
    prompts.answerSaveFile(path("results.csv"));
    form.BDisk->click();
    EXPECT_EQ(prompts.lastFileRequest().title, QStringLiteral("Save expire"));
    EXPECT_EQ(prompts.lastFileRequest().filters.size(), 7);
    EXPECT_EQ(prompts.lastFileRequest().defaultSuffix, QStringLiteral("csv"));

    form.E1->trigger();
    prompts.answerOpenFile(path("results.csv"));
    form.BOpen->click();
    EXPECT_EQ(prompts.lastFileRequest().title, QStringLiteral("Load expire"));
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://a.org", "http://b.com"}));
    EXPECT_EQ(table.Row(0).SubItems(), (std::vector<std::string>{"mailto:info@a.org", "2029/12/31"}));
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:2"));
    EXPECT_TRUE(prompts.errors().empty());
}

TEST_F(MainWindowTest, LoadIgnoresLetterCaseOfTheExtension)
{
    std::ofstream(path("LIST.CSV").toStdString(), std::ios::binary)
        << "http://x.com,mailto:a@x.com,2030/01/01\r\n";
    prompts.answerOpenFile(path("LIST.CSV"));
    form.BOpen->click();
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://x.com"}));
}

TEST_F(MainWindowTest, OwnSaveUnderASpreadsheetNameLoadsBackThroughTheImport)
{
    addRow("b.com", "2030/01/01");
    addRow("a.org", "2029/12/31");
    prompts.answerSaveFile(path("results.csv.xls"));
    form.BDisk->click();
    form.E1->trigger();
    // Read as delimited text, then imported over it: the rows come back once.
    prompts.answerOpenFile(path("results.csv.xls"));
    form.BOpen->click();
    EXPECT_TRUE(prompts.errors().empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://a.org", "http://b.com"}));
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:2"));
}

TEST_F(MainWindowTest, AWorkbookWithSeveralSheetsAsksWhichOneOfferingTheActiveOne)
{
    namespace xls = test::xls;
    const std::string stream = xls::workbookStream(
        xls::window1(1),
        {{xls::label(0, 0, u"http://first.com"), 0}, {xls::label(0, 0, u"http://second.com"), 0}}, true,
        {"First", "Second"});
    std::ofstream(path("two.xls").toStdString(), std::ios::binary) << xls::xlsFile(stream);
    addRow("kept.com", "2030/01/01");

    prompts.answerOpenFile(path("two.xls"));
    prompts.answerChoice(std::nullopt);
    form.BOpen->click();
    EXPECT_EQ(prompts.log().back(),
              QStringLiteral("choose: Import a sheet | two.xls has several sheets with cells. "
                             "Which one do you want to import? | First; Second | Second"));
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://kept.com"}));
    EXPECT_FALSE(form.hasUnsavedRows());

    prompts.answerOpenFile(path("two.xls"));
    prompts.answerChoice(0);
    form.BOpen->click();
    EXPECT_EQ(captions(), (std::vector<std::string>{"http://first.com"}));
    EXPECT_TRUE(prompts.errors().empty());
}

TEST_F(MainWindowTest, CancelledOrBlankDialogsChangeNothing)
{
    addRow("a.com", "2030/01/01");
    prompts.answerSaveFile(std::nullopt);
    form.BDisk->click();
    prompts.answerSaveFile(QStringLiteral("  "));
    form.BDisk->click();
    prompts.answerOpenFile(std::nullopt);
    form.BOpen->click();
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_TRUE(prompts.errors().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(MainWindowTest, FailedLoadShowsTheErrorAndKeepsTheStatus)
{
    form.StatusBar1->setPanelText(1, QStringLiteral("Domains:7"));
    prompts.answerOpenFile(path("missing.csv"));
    form.BOpen->click();
    EXPECT_EQ(prompts.errors(), (std::vector<QString>{QStringLiteral("File cannot be opened")}));
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:7"));

    // A load that ends in error after adding rows counts them.
    std::string lines;
    int count = 0;
    for (; lines.size() < (2u << 20); ++count) {
        lines += "http://h" + std::to_string(count) + ".com,x\r\n";
    }
    std::ofstream(path("tail.csv").toStdString(), std::ios::binary) << lines << std::string(4, '\0');
    prompts.answerOpenFile(path("tail.csv"));
    form.BOpen->click();
    EXPECT_EQ(prompts.errors().size(), 2u);
    EXPECT_EQ(rowCountStatus(), QStringLiteral("Domains:%1").arg(count));
}

TEST_F(MainWindowTest, WebSiteButtonOpensTheHomePage)
{
    form.SpeedButton5->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].startsWith(QStringLiteral("https://")));
}

TEST_F(MainWindowTest, ColumnsShareTheWidthAndKeepWhatTheUserDrags)
{
    QSettings().remove(QStringLiteral("mainWindow"));
    addRow("a-rather-long-host-name.com", "2030/01/01");
    form.resize(700, 400);
    form.show();
    QApplication::processEvents();
    QHeaderView* header = form.resultat->header();
    const auto widths = [header] {
        return std::vector<int>{header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)};
    };
    const auto fillsTheList = [&] {
        const std::vector<int> w = widths();
        EXPECT_EQ(w[0] + w[1] + w[2], form.resultat->viewport()->width());
    };
    // The date fits its caption and text; sites and addresses take the rest as 250 to 200.
    const std::vector<int> narrow = widths();
    fillsTheList();
    const int dateText = header->fontMetrics().horizontalAdvance(QStringLiteral("2030/01/01"));
    EXPECT_GT(narrow[2], dateText);
    EXPECT_LT(narrow[2], 100);
    EXPECT_GT(narrow[0], 250);
    EXPECT_NEAR(narrow[0] * 200.0 / narrow[1], 250.0, 2.0);

    form.resize(1000, 400);
    QApplication::processEvents();
    fillsTheList();
    EXPECT_GT(widths()[1], narrow[1]);
    EXPECT_EQ(widths()[2], narrow[2]);

    // A dragged width stays through a resize and the next start; the other column gives way.
    header->resizeSection(1, 150);
    form.resize(800, 400);
    QApplication::processEvents();
    EXPECT_EQ(widths()[1], 150);
    fillsTheList();
    form.close();
    StartupWindows again = createWindows(prompts, pump, std::make_unique<FakePageLoader>(), WhoisServices{});
    EXPECT_EQ(again.Form1->resultat->userColumnWidths(), (QList<int>{0, 150, 0}));
    QSettings().remove(QStringLiteral("mainWindow"));
}

TEST_F(MainWindowTest, AnEmptyTableNamesTheKeysThatFillIt)
{
    EXPECT_EQ(form.resultat->emptyText(),
              QStringLiteral("No results yet: press Start (Ctrl+N) to search, or Load (Ctrl+O) a file"));
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const struct {
        QKeySequence keys;
        QToolButton* button;
        const char* name;
    } cases[] = {{QKeySequence(Qt::CTRL | Qt::Key_N), form.BPlay, "Start"},
                 {QKeySequence(Qt::CTRL | Qt::Key_O), form.BOpen, "Load"}};
    for (const auto& c : cases) {
        QSignalSpy clicked(c.button, &QToolButton::clicked);
        if (c.button == form.BOpen) {
            prompts.answerOpenFile(std::nullopt);
        }
        QTest::keySequence(&form, c.keys);
        EXPECT_EQ(clicked.size(), 1) << c.name;
        EXPECT_EQ(c.button->accessibleName(), QLatin1String(c.name));
    }
    // The hint is drawn only while there is no row.
    const auto hintPixels = [this] {
        const QImage image = form.resultat->viewport()->grab().toImage();
        const QColor base = form.resultat->palette().color(QPalette::Base);
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) != base ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(hintPixels(), 50);
    addRow("a.com", "2030/01/01");
    form.E1->trigger();
    EXPECT_GT(hintPixels(), 50);
}

TEST_F(MainWindowTest, EveryControlHasANameAndFilterWindowsOpenOverTheWindow)
{
    for (const QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(windows.Form2.get()),
                                  static_cast<QWidget*>(windows.Form3.get())}) {
        EXPECT_EQ(test::unnamedControls(*window), QStringList()) << window->objectName().toStdString();
    }
    form.resize(600, 400);
    form.move(300, 100);
    form.show();
    for (QAction* command : {form.Pardatedexpiration1, form.Pardatedexpiration2}) {
        command->trigger();
        QWidget* filter = command == form.Pardatedexpiration1 ? static_cast<QWidget*>(windows.Form2.get())
                                                              : static_cast<QWidget*>(windows.Form3.get());
        ASSERT_TRUE(filter->isVisible());
        EXPECT_TRUE(form.frameGeometry().contains(filter->frameGeometry().center()));
        filter->hide();
    }
    // Enter applies the filter, as its button does.
    addRow("a.com", "2012/03/07");
    form.Pardatedexpiration1->trigger();
    windows.Form2->DateTimePicker2->setDate(QDate(2012, 3, 7));
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows.Form2.get()));
    QTest::keyClick(windows.Form2->DateTimePicker2, Qt::Key_Return);
    EXPECT_TRUE(table.Row(0).Checked());
    EXPECT_FALSE(windows.Form2->isVisible());
}

TEST(StartUp, SplashStaysUpForTheWaitAndIsGoneBeforeTheMainWindowShows)
{
    ScriptedPrompts prompts;
    FakeTickSource ticks;
    EventPump pump(ticks);
    bool splashSeen = false;
    ticks.setOnWait([&](std::uint32_t) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            splashSeen |= qobject_cast<TSplash*>(w) != nullptr && w->isVisible();
        }
    });
    const std::uint32_t start = ticks.now();
    StartupWindows windows =
        createWindows(prompts, pump, std::make_unique<FakePageLoader>(), WhoisServices{});

    EXPECT_TRUE(splashSeen);
    EXPECT_GE(ticks.now() - start, 1500u);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<TSplash*>(w), nullptr);
    }
    EXPECT_FALSE(windows.Form1->isVisible());
    EXPECT_FALSE(windows.Form2->isVisible());
    EXPECT_FALSE(windows.Form3->isVisible());
    EXPECT_EQ(windows.Form1->windowTitle(), QStringLiteral("Ostrevo"));
}

TEST(StartUp, SplashDrawsItsSilverFrameAroundThePicture)
{
    TSplash splash;
    const QImage image = splash.grab().toImage();
    EXPECT_EQ(image.size(), QSize(409, 290));
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(2, 100)), QColor(192, 192, 192));
    EXPECT_NE(QColor(image.pixel(200, 140)), QColor(192, 192, 192));
}

} // namespace
} // namespace ostrevo
