// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/tform1.h"

#include "expired/expirycolouringhook.h"
#include "expired/resultcommands.h"
#include "lookup/lookupdomains.h"
#include "lookup/rdaplookuprun.h"
#include "lookup/rdapserversfile.h"
#include "lookup/runendtext.h"
#include "net/httpgettext.h"
#include "pageloader/pageloader.h"
#include "platform/collation.h"
#include "platform/desktopnotice.h"
#include "platform/errorguard.h"
#include "platform/eventpump.h"
#include "platform/productinfo.h"
#include "platform/programicons.h"
#include "platform/settings.h"
#include "platform/statuspanels.h"
#include "platform/systemlocale.h"
#include "platform/windowfont.h"
#include "platform/windowplacement.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/rowjournal.h"
#include "resultlist/tresultlistview.h"
#include "spreadsheet/spreadsheetbusycursor.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "watch/watchwindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStringList>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {

TForm1::TForm1(Prompts& prompts, EventPump& pump, std::unique_ptr<PageLoader> www,
               WhoisServices whoisServices, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts), m_pump(pump), m_www(std::move(www)),
      m_whoisRun(*m_www, pump, std::move(whoisServices)), m_lookupChoices(loadLookupChoices()),
      m_rdapServersFile(std::string(RdapServersFileName)), m_rdapServersUpdateUrl(RdapServersUpdateUrl)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ostrevo"));
    setFont(windowFont());
    // Room for the three columns at their widths on a usual screen; a small one gets what fits.
    openFitted(*this, QSize(900, 600), QSize(575, 391));
    restoreGeometry(storedBytes(settingskey::MainWindowGeometry));

    m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    m_announceRunEnd = [this](const QString& text) { announceRunEnd(this, text); };
    m_fetch = [this](const std::string& url, std::size_t maxBytes) -> std::optional<std::string> {
        HttpTextResult download =
            HttpGetText(url, {.maxBodySize = maxBytes, .cancelled = m_download.cancelTest()});
        return download.ok ? std::optional<std::string>(std::move(download.body)) : std::nullopt;
    };
    m_importSpreadsheet = [this](ResultTable& table, const std::string& fileName) {
        const auto chooseSheet = [&](const std::vector<std::string>& names,
                                     std::size_t offered) -> std::optional<std::size_t> {
            QStringList items;
            for (const std::string& name : names) {
                items.append(QString::fromStdString(name));
            }
            const QString file = QString::fromStdString(std::filesystem::path(fileName).filename().string());
            const std::optional<int> chosen = m_prompts.chooseItem(
                QStringLiteral("Import a sheet"),
                QStringLiteral("%1 has several sheets with cells. Which one do you want to import?")
                    .arg(file),
                items, static_cast<int>(offered));
            return chosen && *chosen >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(*chosen))
                                          : std::nullopt;
        };
        ImportSpreadsheet(table, fileName, createBuiltInSpreadsheetServer, waitCursorBusyIndicator(),
                          chooseSheet);
    };

    buildToolbar();
    buildResultTable();
    buildCommandMenu();

    StatusBar1 = new StatusPanels({140, 150, 50}, this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    showRowCount();
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, [this] { guarded(m_prompts, [this] { Timer1Timer(); }); });

    m_journalSync = new QTimer(this);
    m_journalSync->setSingleShot(true);
    m_journalSync->setInterval(1000);
    connect(m_journalSync, &QTimer::timeout, this, [this] {
        if (m_journal) {
            m_journal->syncIfBehind();
        }
    });

    m_www->SetVisible(false);
    m_www->SetSilent(true);
    m_www->OnNewWindow2 = [](bool& cancel) { cancel = true; };
}

TForm1::~TForm1()
{
    // The view and its model read m_table, which is gone before QWidget's own
    // teardown would delete them.
    delete resultat;
}

void TForm1::buildResultTable()
{
    m_table.setCaptionSortKey(&captionSortKey);
    setUpResultColumns(m_table);
    m_table.SetCheckboxes(true);
    m_table.SetSortType(SortType::stBoth);
    m_table.SetSaveHeader(true);
    m_table.SetLoadHeader(false);

    resultat = new TResultListView(m_table, this);
    resultat->setObjectName(QStringLiteral("resultat"));
    resultat->setErrorPrompts(&m_prompts);
    resultat->OnDrawItemProp = expiryColouring();
    resultat->setAccessibleName(QStringLiteral("Results"));
    resultat->setEmptyText(
        QStringLiteral("No results yet: press Start (Ctrl+N) to search, or Load (Ctrl+O) a file"));
    for (const ResultField field : ResultFields) {
        resultat->setColumnSizing(columnOf(field), sizingOf(field));
    }
    QList<int> widths;
    for (const QString& width : storedList(settingskey::ResultColumnWidths)) {
        widths.append(width.toInt());
    }
    resultat->setUserColumnWidths(widths);
    setCentralWidget(resultat);
}

void TForm1::setFilterWindows(QWidget* form2, QWidget* form3)
{
    m_form2 = form2;
    m_form3 = form3;
}

QString TForm1::domainsText() const
{
    return QStringLiteral("Domains:%1").arg(m_table.RowCount());
}

void TForm1::showRowCount()
{
    StatusBar1->setPanelText(1, domainsText());
}

void TForm1::SpeedButton5Click()
{
    m_openUrl(
        QUrl(QString::fromUtf8(kProductHomePage.data(), static_cast<qsizetype>(kProductHomePage.size()))));
}

void TForm1::BPlayClick()
{
    buffer->setValue(0);
    if (m_liste) {
        m_liste->show();
        m_liste->raise();
        m_liste->activateWindow();
    }
    StatusBar1->setPanelText(2, QString());
}

void TForm1::BStopClick()
{
    if (m_download.cancelIfRunning()) {
        return;
    }
    if (!m_prompts.question(QStringLiteral("stop the search ?"))) {
        return;
    }
    stopflag = true;
    BPlay->setEnabled(true);
    BStop->setEnabled(false);
    // Nothing else gives the load button back after a hand-over.
    BOpen->setEnabled(true);
    if (StatusBar1->panelText(2) == lookupFinishedText()) {
        StatusBar1->setPanelText(2, QString());
    }
    endOfRun();
    offerHostsBack();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->ignore();
    guarded(m_prompts, [this, event] {
        if (!BPlay->isEnabled()) {
            m_prompts.information(QStringLiteral("You must stop the program before !"));
            return;
        }
        if (m_unsaved && m_table.RowCount() > 0) {
            const SaveChoice choice = m_prompts.saveOrDiscard(
                QStringLiteral("Save the %1 rows before quitting?").arg(m_table.RowCount()));
            if (choice == SaveChoice::Cancel || (choice == SaveChoice::Save && !saveRows())) {
                return;
            }
        }
        store(settingskey::MainWindowGeometry, saveGeometry());
        QStringList widths;
        for (const int width : resultat->userColumnWidths()) {
            widths.append(QString::number(width));
        }
        store(settingskey::ResultColumnWidths, widths);
        // A normal end: nothing to offer at the next start.
        if (m_journal) {
            m_journal->remove();
        }
        event->accept();
    });
}

} // namespace ostrevo
