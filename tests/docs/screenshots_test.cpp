// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Renders both working windows with sample content, offscreen, into the PNG
// files the README shows. Set OSTREVO_SCREENSHOT_DIR to write them elsewhere
// than the build folder (scripts/screenshots.sh points it at docs/).
#include "app/startup.h"
#include "platform/statuspanels.h"
#include "platform/eventpump.h"
#include "rechercheweb/tliste.h"
#include "rechercheweb/urllist.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"

#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace ostrevo {
namespace {

QString screenshotDir()
{
    const QString dir = qEnvironmentVariable("OSTREVO_SCREENSHOT_DIR");
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

std::string yearsFromNow(int years, const char* monthDay)
{
    return std::to_string(QDate::currentDate().year() + years) + monthDay;
}

class Screenshots : public ::testing::Test {
protected:
    Screenshots()
        : windows(createWindows(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{})),
          form(*windows.Form1)
    {
        std::ofstream(QDir(catalogueDir.path()).filePath(QStringLiteral("listex.txt")).toStdString(),
                      std::ios::binary)
            << "Bing\r\nhttps://www.bing.com/search?q=\r\n&first=\r\n1\r\n10\r\n\r\n"
               "DuckDuckGo\r\nhttps://html.duckduckgo.com/html/?q=\r\n&s=\r\n0\r\n30\r\n\r\n"
               "Mojeek\r\nhttps://www.mojeek.com/search?q=\r\n&s=\r\n1\r\n10\r\n\r\n";
        QDir::setCurrent(catalogueDir.path());
    }

    ~Screenshots() override { QDir::setCurrent(previousDir); }

    QImage save(QWidget& window, const char* name)
    {
        const QImage image = window.grab().toImage();
        image.save(QDir(screenshotDir()).filePath(QString::fromLatin1(name)));
        return image;
    }

    QString previousDir = QDir::currentPath();
    QTemporaryDir catalogueDir;
    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    EventPump pump{ticks};
    StartupWindows windows;
    TForm1& form;
};

TEST_F(Screenshots, MainWindowWithResults)
{
    const struct {
        const char* host;
        const char* email;
        std::string expires;
        bool checked;
    } rows[] = {
        {"gardening-tools.com", "owner@gardening-tools.com", yearsFromNow(0, "/11/05"), true},
        {"seedbank.org", "<admin@seedbank.org>", yearsFromNow(1, "/03/07"), true},
        {"greenhouse-kits.net", "sales@greenhouse-kits.net", yearsFromNow(2, "/09/13"), false},
        {"compost-club.org", "hello@compost-club.org", yearsFromNow(3, "/01/31"), false},
        {"tomatoes.com", "hostmaster@tomatoes.com", yearsFromNow(4, "/06/30"), false},
        {"rainbarrels.net", "info@rainbarrels.net", yearsFromNow(5, "/12/01"), false},
        {"allotments.com", "dns@allotments.com", yearsFromNow(8, "/02/14"), false},
    };
    for (const auto& r : rows) {
        ResultRow& row = form.table().AddRow();
        row.SetCaption(std::string("http://") + r.host);
        row.AppendSubItem(std::string("mailto:") + r.email);
        row.AppendSubItem(r.expires);
        row.SetChecked(r.checked);
    }
    form.StatusBar1->setPanelText(1, QStringLiteral("Domains:7"));
    form.show();
    const QImage image = save(form, "main-window.png");
    EXPECT_EQ(image.size(), form.size());
}

TEST_F(Screenshots, LinksSearchWindowOnItsSearchPage)
{
    Tliste liste(prompts, pump, form, [] { return std::make_unique<test::FakePageLoader>(); });
    liste.show();
    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("organic gardening"));
    ASSERT_GE(liste.deps->count(), 2);
    liste.deps->item(0)->setCheckState(Qt::Checked);
    liste.deps->item(2)->setCheckState(Qt::Checked);
    for (const char* url : {"http://www.gardening-tools.com/", "https://seedbank.org/shop", "http://tomatoes.com/",
                            "https://www.compost-club.org/join"})
        liste.urls().append(url);
    liste.Timer1Timer();
    const QImage image = save(liste, "links-search-window.png");
    EXPECT_EQ(image.size(), liste.size());
}

} // namespace
} // namespace ostrevo
