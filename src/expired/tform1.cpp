// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/tform1.h"

#include "resultlist/resultcolumns.h"

#include "expired/estimate.h"
#include "expired/expirycolouringhook.h"
#include "expired/resultcommands.h"
#include "expired/resultfiles.h"
#include "expired/whoisparser.h"
#include "expired/whoissilence.h"
#include "lookup/rdapclient.h"
#include "lookup/rdaplookup.h"
#include "lookup/rdapserversfile.h"
#include "pageloader/pageloader.h"
#include "platform/collation.h"
#include "platform/desktopnotice.h"
#include "platform/errorguard.h"
#include "platform/eventpump.h"
#include "platform/productinfo.h"
#include "platform/settings.h"
#include "platform/statuspanels.h"
#include "platform/systemlocale.h"
#include "platform/ticksource.h"
#include "platform/windowfont.h"
#include "resultlist/rowjournal.h"
#include "resultlist/tresultlistview.h"
#include "spreadsheet/spreadsheetbusycursor.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "textscan/hostname.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <climits>
#include <filesystem>

namespace ostrevo {

namespace {

QString estimateText(const Duration& d)
{
    if (d.hours < 24) {
        return QTime(static_cast<int>(d.hours), d.minutes, d.seconds).toString(longTimeFormat());
    }
    // A time of day cannot hold a day or more: keep counting hours.
    return QStringLiteral("%1:%2:%3")
        .arg(d.hours)
        .arg(d.minutes, 2, 10, QLatin1Char('0'))
        .arg(d.seconds, 2, 10, QLatin1Char('0'));
}

} // namespace

TForm1::TForm1(Prompts& prompts, EventPump& pump, std::unique_ptr<PageLoader> www,
               WhoisServices whoisServices, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts), m_pump(pump), m_www(std::move(www)),
      m_whoisServices(std::move(whoisServices)), m_lookupChoices(loadLookupChoices()),
      m_rdapServersFile(std::string(RdapServersFileName)), m_rdapServersUpdateUrl(RdapServersUpdateUrl)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ostrevo"));
    setFont(windowFont());
    resize(575, 391);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    restoreGeometry(storedBytes(settingskey::MainWindowGeometry));

    m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    m_importSpreadsheet = [](ResultTable& table, const std::string& fileName) {
        ImportSpreadsheet(table, fileName, createBuiltInSpreadsheetServer, waitCursorBusyIndicator());
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
    m_www->OnDocumentComplete = [this] { wwwDocumentComplete(); };
    m_www->OnNewWindow2 = [](bool& cancel) { cancel = true; };
}

TForm1::~TForm1()
{
    // The view and its model read m_table, which is gone before QWidget's own
    // teardown would delete them.
    delete resultat;
}

QToolButton* TForm1::addToolButton(const QString& name, const QIcon& icon, void (TForm1::*handler)())
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setFixedSize(25, 25);
    if (handler) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { guarded(m_prompts, [this, handler] { (this->*handler)(); }); });
    }
    return button;
}

void TForm1::buildToolbar()
{
    // A silver panel 32 high, the buttons at fixed places as in the original
    // layout: three command buttons, a gap, load and save, a gap, the web site
    // button, a gap, then the progress bar.
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(32);
    bar->setAutoFillBackground(true);
    QPalette silver = bar->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    bar->setPalette(silver);

    QStyle* s = style();
    BPlay =
        addToolButton(QStringLiteral("BPlay"), s->standardIcon(QStyle::SP_MediaPlay), &TForm1::BPlayClick);
    BStop =
        addToolButton(QStringLiteral("BStop"), s->standardIcon(QStyle::SP_MediaStop), &TForm1::BStopClick);
    ToolButton2 =
        addToolButton(QStringLiteral("ToolButton2"), s->standardIcon(QStyle::SP_FileDialogDetailedView),
                      &TForm1::ToolButton2Click);
    BOpen = addToolButton(QStringLiteral("BOpen"), s->standardIcon(QStyle::SP_DialogOpenButton),
                          &TForm1::BOpenClick);
    BDisk = addToolButton(QStringLiteral("BDisk"), s->standardIcon(QStyle::SP_DialogSaveButton),
                          &TForm1::BDiskClick);
    SpeedButton5 = addToolButton(QStringLiteral("SpeedButton5"), s->standardIcon(QStyle::SP_DriveNetIcon),
                                 &TForm1::SpeedButton5Click);
    BStop->setEnabled(false);
    // A key clicks its button at once, and only while the button is enabled.
    for (const auto& [button, key] : {std::pair{BPlay, Qt::Key_N}, {BOpen, Qt::Key_O}, {BDisk, Qt::Key_S}}) {
        connect(new QShortcut(QKeySequence(Qt::CTRL | key), this), &QShortcut::activated, button,
                &QToolButton::click);
    }
    // The buttons show pictures only: say what each does, and its key.
    BPlay->setToolTip(QStringLiteral("Search the web for domains (Ctrl+N)"));
    BStop->setToolTip(QStringLiteral("Stop the expiry lookup"));
    ToolButton2->setToolTip(QStringLiteral(
        "Tick, untick or delete rows (Ctrl+A ticks all, Delete deletes the ticked, Ctrl+Z undoes)"));
    BOpen->setToolTip(QStringLiteral("Load a results file (Ctrl+O)"));
    BDisk->setToolTip(QStringLiteral("Save the results (Ctrl+S)"));
    SpeedButton5->setToolTip(QStringLiteral("Visit the Ostrevo web site"));

    buffer = new QProgressBar(bar);
    buffer->setObjectName(QStringLiteral("buffer"));
    buffer->setRange(0, 100);
    buffer->setValue(0);
    buffer->setTextVisible(false);

    const std::pair<QWidget*, int> places[] = {{BPlay, 0},   {BStop, 25},  {ToolButton2, 50},
                                               {BOpen, 83},  {BDisk, 108}, {SpeedButton5, 141},
                                               {buffer, 179}};
    for (const auto& [widget, left] : places) {
        widget->setParent(bar);
        widget->move(left + 2, 2);
    }
    buffer->setGeometry(179 + 2, 2, 374, 25);
    setMenuWidget(bar);
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
    setCentralWidget(resultat);
}

QAction* TForm1::addMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                                std::function<void()> command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { guarded(m_prompts, command); });
    return action;
}

void TForm1::buildCommandMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    QMenu* check = PopupMenu1->addMenu(QStringLiteral("Check"));
    Cocher1 = check->menuAction();
    Cocher1->setObjectName(QStringLiteral("Cocher1"));
    Pardatedexpiration1 = addMenuCommand(check, QStringLiteral("Pardatedexpiration1"),
                                         QStringLiteral("Date selection..."), [this] {
                                             if (m_form2) {
                                                 m_form2->show();
                                             }
                                         });
    Touslesemails1 = addMenuCommand(check, QStringLiteral("Touslesemails1"), QStringLiteral("All domains"),
                                    [this] { setAllChecked(m_table, true); });

    QMenu* uncheck = PopupMenu1->addMenu(QStringLiteral("Uncheck"));
    Dcocher1 = uncheck->menuAction();
    Dcocher1->setObjectName(QStringLiteral("Dcocher1"));
    Pardatedexpiration2 = addMenuCommand(uncheck, QStringLiteral("Pardatedexpiration2"),
                                         QStringLiteral("Date selection..."), [this] {
                                             if (m_form3) {
                                                 m_form3->show();
                                             }
                                         });
    Dcohertouslesemails1 =
        addMenuCommand(uncheck, QStringLiteral("Dcohertouslesemails1"), QStringLiteral("all domains"),
                       [this] { setAllChecked(m_table, false); });

    QMenu* remove = PopupMenu1->addMenu(QStringLiteral("Delete"));
    Effacer2 = remove->menuAction();
    Effacer2->setObjectName(QStringLiteral("Effacer2"));
    E1 = addMenuCommand(remove, QStringLiteral("E1"), QStringLiteral("All"), [this] {
        deleteUndoably(&deleteAllRows);
        // Nothing left for the journal to keep.
        if (m_journal) {
            m_journal->remove();
        }
    });
    Effacertouslesemailsdcochs1 = addMenuCommand(
        remove, QStringLiteral("Effacertouslesemailsdcochs1"), QStringLiteral("Checked domains"),
        [this] { deleteUndoably([](ResultTable& t) { return deleteRowsChecked(t, true); }); });
    Griss3 = addMenuCommand(remove, QStringLiteral("Griss3"), QStringLiteral("Unchecked domains"), [this] {
        deleteUndoably([](ResultTable& t) { return deleteRowsChecked(t, false); });
    });
    UndoDelete = addMenuCommand(PopupMenu1, QStringLiteral("UndoDelete"), QStringLiteral("Undo delete"),
                                [this] { undoDelete(); });
    UndoDelete->setEnabled(false);

    // The keys work wherever the window has the focus, the menu closed.
    Touslesemails1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Effacertouslesemailsdcochs1->setShortcut(QKeySequence(Qt::Key_Delete));
    UndoDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    addActions({Touslesemails1, Effacertouslesemailsdcochs1, UndoDelete});
    buildLookupMenu();
}

void TForm1::deleteUndoably(std::vector<RowCopy> (*remove)(ResultTable&))
{
    std::vector<RowCopy> deleted = remove(m_table);
    showRowCount();
    if (deleted.empty()) {
        return;
    }
    m_undoRows = std::move(deleted);
    UndoDelete->setEnabled(true);
    m_unsaved = true;
}

void TForm1::undoDelete()
{
    addRows(m_table, m_undoRows);
    m_undoRows.clear();
    UndoDelete->setEnabled(false);
    m_unsaved = true;
    showRowCount();
}

void TForm1::buildLookupMenu()
{
    PopupMenu1->addSeparator();
    QMenu* source = PopupMenu1->addMenu(QStringLiteral("Look up with"));
    source->menuAction()->setObjectName(QStringLiteral("LookUpWith"));
    const auto choose = [this](bool rdap) {
        m_lookupChoices.rdap = rdap;
        saveLookupChoices(m_lookupChoices);
    };
    LookUpWithWhoisPages =
        addMenuCommand(source, QStringLiteral("LookUpWithWhoisPages"),
                       QStringLiteral("Registrar whois pages"), [choose] { choose(false); });
    LookUpWithRdap = addMenuCommand(source, QStringLiteral("LookUpWithRdap"),
                                    QStringLiteral("RDAP (registry data)"), [choose] { choose(true); });
    auto* sources = new QActionGroup(this);
    for (QAction* action : {LookUpWithWhoisPages, LookUpWithRdap}) {
        action->setCheckable(true);
        sources->addAction(action);
    }
    (m_lookupChoices.rdap ? LookUpWithRdap : LookUpWithWhoisPages)->setChecked(true);

    ListUnregisteredHosts = addMenuCommand(PopupMenu1, QStringLiteral("ListUnregisteredHosts"),
                                           QStringLiteral("List hosts that are not registered"), [this] {
                                               m_lookupChoices.listUnregistered =
                                                   ListUnregisteredHosts->isChecked();
                                               saveLookupChoices(m_lookupChoices);
                                           });
    ListUnregisteredHosts->setCheckable(true);
    ListUnregisteredHosts->setChecked(m_lookupChoices.listUnregistered);
    UpdateRdapServers =
        addMenuCommand(PopupMenu1, QStringLiteral("UpdateRdapServers"), QStringLiteral("Update RDAP servers"),
                       [this] { updateRdapServers(); });
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

QPoint TForm1::commandMenuPoint() const
{
    // The whole window's edges, frame included, plus the button's place in the toolbar.
    const QRect frame = frameGeometry();
    return {frame.left() + 50, frame.top() + 50};
}

void TForm1::ToolButton2Click()
{
    PopupMenu1->popup(commandMenuPoint());
}

void TForm1::SpeedButton5Click()
{
    m_openUrl(
        QUrl(QString::fromUtf8(kProductHomePage.data(), static_cast<qsizetype>(kProductHomePage.size()))));
}

void TForm1::BDiskClick()
{
    saveRows();
}

bool TForm1::saveRows()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save expire");
    request.filters = {QStringLiteral("CSV (.csv) (*.csv)"),
                       QStringLiteral("Excel (*.xls) (*.xls)"),
                       QStringLiteral("Excel workbook (*.xlsx) (*.xlsx)"),
                       QStringLiteral("HTML page (*.htm) (*.htm)"),
                       QStringLiteral("Doc (*.doc) (*.doc)"),
                       QStringLiteral("XML (*.xml) (*.xml)"),
                       QStringLiteral("ASCII (*.txt) (*.txt)")};
    request.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> fileName = m_prompts.saveFileName(request);
    if (!fileName) {
        return false;
    }
    const std::string name = fileName->toStdString();
    if (isBlankFileName(name)) {
        return false;
    }
    saveResults(m_table, std::filesystem::path(name), localCurrentYear());
    m_unsaved = false;
    if (m_journal) {
        m_journal->remove();
    }
    return true;
}

void TForm1::BOpenClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Load expire");
    request.filters = {QStringLiteral("CSV (.csv) (*.csv)"), QStringLiteral("Excel (*.xls) (*.xls)"),
                       QStringLiteral("Excel workbook (*.xlsx) (*.xlsx)")};
    const std::optional<QString> fileName = m_prompts.openFileName(request);
    if (!fileName) {
        return;
    }
    const std::string name = fileName->toStdString();
    if (isBlankFileName(name)) {
        return;
    }
    const LoadReaders readers = loadReadersFor(name);
    const int before = m_table.RowCount();
    try {
        if (readers.delimited) {
            m_table.LoadFromDelimitedFile(std::filesystem::path(name));
        }
        if (readers.spreadsheet) {
            m_importSpreadsheet(m_table, name);
        }
    } catch (...) {
        // Rows a failed load added before its error are unsaved and counted all the same.
        if (m_table.RowCount() != before) {
            m_unsaved = true;
            showRowCount();
        }
        throw;
    }
    m_unsaved = m_unsaved || m_table.RowCount() != before;
    showRowCount();
}

void TForm1::lookUpHandedOverHosts(std::vector<std::string> hosts)
{
    BPlay->setEnabled(false);
    BStop->setEnabled(true);
    BOpen->setEnabled(false);
    Button1Click(std::move(hosts));
}

void TForm1::Button1Click(std::vector<std::string> hosts)
{
    const unsigned run = ++m_runGeneration;
    const auto stopped = [this, run] { return stopflag || run != m_runGeneration; };
    stopflag = false;

    const int hostCount = static_cast<int>(std::min<std::size_t>(hosts.size(), INT_MAX));
    // An empty range would turn the bar into a busy indicator.
    buffer->setRange(0, std::max(hostCount, 1));
    Timer1->start();
    StatusBar1->setNotice(QString());

    m_runHosts = &hosts;
    m_hostDone.assign(hosts.size(), false);
    const int rowsBefore = m_table.RowCount();
    bool finished = false;
    try {
        finished =
            m_lookupChoices.rdap ? lookUpWithRdap(hosts, stopped) : lookUpWithWhoisPages(hosts, stopped);
    } catch (...) {
        // The run is over: no estimate may tick on.
        if (run == m_runGeneration) {
            m_runHosts = nullptr;
            endOfRun();
        }
        throw;
    }
    if (run != m_runGeneration) {
        return;
    }
    m_runHosts = nullptr;
    if (!finished) {
        return;
    }
    endOfRun();
    // Ended normally: the rows are the table's now, the close question guards them.
    if (m_journal) {
        m_journal->remove();
    }
    const int found = m_table.RowCount() - rowsBefore;
    announceRunEnd(this, QStringLiteral("Lookup finished: %1 domains found").arg(found));
}

void TForm1::endOfRun()
{
    Timer1->stop();
    StatusBar1->setPanelText(0, QString());
    buffer->setValue(0);
}

bool TForm1::lookUpWithWhoisPages(const std::vector<std::string>& hosts, const std::function<bool()>& stopped)
{
    bool exceeded = false;
    WhoisSilence silence;
    const int hostCount = static_cast<int>(std::min<std::size_t>(hosts.size(), INT_MAX));
    for (int i = 0; i < hostCount; ++i) {
        // Hosts come from web pages and files: only a DNS name is asked for and shown.
        const std::string host = checkedHostName(hosts[static_cast<std::size_t>(i)]);
        buffer->setValue(i);
        showRowCount();
        StatusBar1->setPanelText(2, QString::fromStdString(host));
        if (stopped()) {
            return false;
        }
        if (host.empty()) {
            continue;
        }

        const bool second = usesSecondService(i, exceeded);
        const std::optional<HostAnswer> result =
            lookUpHost(second ? m_whoisServices.second : m_whoisServices.first,
                       second ? m_whoisServices.first : m_whoisServices.second, host, stopped);
        if (!result) {
            return false;
        }
        m_hostDone[static_cast<std::size_t>(i)] = true;
        exceeded = result->firstRefused;
        const WhoisAnswer& answer = result->answer;
        if (answer.outcome == WhoisOutcome::Record) {
            addLookupRow(host, "mailto:" + answer.record.email, answer.record.expires);
        }
        // A refusal is an answer too; the other service then gave the one read.
        if (result->firstRefused) {
            silence.silentAfter(second ? 1 : 0, WhoisOutcome::Refused);
        }
        const bool bySecond = second != result->firstRefused;
        if (silence.silentAfter(bySecond ? 1 : 0, answer.outcome)) {
            StatusBar1->setNotice(
                QStringLiteral("%1 may have changed its whois page: RDAP is in the command menu")
                    .arg(QString::fromStdString(
                        (bySecond ? m_whoisServices.second : m_whoisServices.first).host)));
        }
    }
    return true;
}

bool TForm1::lookUpWithRdap(const std::vector<std::string>& hosts, const std::function<bool()>& stopped)
{
    const std::optional<RdapServers> servers = readRdapServersFile(m_rdapServersFile);
    if (!servers) {
        m_prompts.information(
            QStringLiteral("The list of RDAP servers cannot be read: update it from the command menu"));
        return true;
    }
    RdapRun plan(hosts, *servers, {.requestsPerSecond = m_lookupChoices.requestsPerSecond});
    RdapClient client;
    int noAnswer = 0;
    m_rdapStartTick = m_pump.ticks().now();
    m_rdapRunning = true;
    const auto paceKnown = qScopeGuard([this] { m_rdapRunning = false; });
    const auto asking = [&](std::size_t host) {
        StatusBar1->setPanelText(2, QString::fromStdString(plan.hostName(host)));
    };
    const auto hostDone = [&](const RdapHostResult& result) {
        const std::string& host = plan.hostName(result.host);
        m_hostDone.at(result.host) = true;
        switch (result.outcome) {
        case RdapHostOutcome::Row:
            addLookupRow(host, result.email.empty() ? result.contactForm : "mailto:" + result.email,
                         result.expires);
            break;
        case RdapHostOutcome::NotRegistered:
            if (m_lookupChoices.listUnregistered) {
                addLookupRow(host, {}, "not registered");
            }
            break;
        case RdapHostOutcome::NoAnswer:
            StatusBar1->setNotice(QStringLiteral("No answer: %1").arg(++noAnswer));
            break;
        }
        buffer->setValue(static_cast<int>(std::min<std::size_t>(plan.hostsDone(), INT_MAX)));
        showRowCount();
    };
    return playRdapRun(plan, client, m_pump, {asking, hostDone, stopped});
}

void TForm1::addLookupRow(const std::string& host, const std::string& emailCell, const std::string& expires)
{
    ResultRow& row = m_table.AddRow();
    row.SetCaption("http://" + host);
    row.AppendSubItem(emailCell);
    row.AppendSubItem(expires);
    m_unsaved = true;
    if (m_journal) {
        m_journal->append(
            {std::string(row.Caption()), std::string(row.SubItem(0)), std::string(row.SubItem(1))});
        if (!m_journalSync->isActive()) {
            m_journalSync->start();
        }
    }
}

void TForm1::setJournalFile(const std::filesystem::path& file)
{
    m_journal = std::make_unique<RowJournal>(file);
}

void TForm1::offerJournalRestore()
{
    if (!m_journal) {
        return;
    }
    std::vector<RowCopy> rows;
    for (std::vector<std::string>& texts : readRowJournal(m_journal->file())) {
        rows.push_back({std::move(texts), false});
    }
    if (rows.empty()) {
        m_journal->remove();
        return;
    }
    if (!m_prompts.question(QStringLiteral("Ostrevo ended during a lookup. Restore the %1 rows it had found?")
                                .arg(rows.size()))) {
        m_journal->remove();
        return;
    }
    // The journal keeps them until they are saved.
    addRows(m_table, rows);
    m_unsaved = true;
    showRowCount();
}

void TForm1::updateRdapServers()
{
    bool installed = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto busy = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        const std::optional<std::string> body =
            m_download ? m_download(m_rdapServersUpdateUrl, MaxRdapBootstrapBytes) : std::nullopt;
        installed = body && installRdapServers(*body, m_rdapServersFile);
    }
    m_prompts.information(installed ? QStringLiteral("RDAP servers updated !")
                                    : QStringLiteral("Could not update the RDAP servers"));
}

std::optional<WhoisAnswer> TForm1::askWhois(const WhoisService& service, const std::string& host,
                                            const std::function<bool()>& stopped)
{
    loaded = false;
    m_www->Navigate(whoisUrl(service, host));
    m_pump.waitUntil([&] { return loaded || stopped(); });
    if (stopped()) {
        return std::nullopt;
    }
    // A page stopped at its deadline holds no answer, whatever it shows.
    const bool noAnswer = m_www->TimedOut();
    const std::string pageText = noAnswer ? std::string() : m_www->PageText();
    m_pump.WaitMs(2100);
    return noAnswer ? WhoisAnswer{WhoisOutcome::NoAnswer, {}} : ParseWhoisPage(pageText);
}

std::optional<TForm1::HostAnswer> TForm1::lookUpHost(const WhoisService& service, const WhoisService& other,
                                                     const std::string& host,
                                                     const std::function<bool()>& stopped)
{
    std::optional<WhoisAnswer> answer = askWhois(service, host, stopped);
    if (!answer || (answer->outcome != WhoisOutcome::Refused && answer->outcome != WhoisOutcome::NoAnswer)) {
        return answer ? std::optional<HostAnswer>(HostAnswer{std::move(*answer), false}) : std::nullopt;
    }
    if (stopped()) {
        return std::nullopt;
    }
    answer = askWhois(other, host, stopped);
    return answer ? std::optional<HostAnswer>(HostAnswer{std::move(*answer), true}) : std::nullopt;
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
    if (!m_prompts.question(QStringLiteral("stop the serach ?"))) {
        return;
    }
    stopflag = true;
    BPlay->setEnabled(true);
    BStop->setEnabled(false);
    // Nothing else gives the load button back after a hand-over.
    BOpen->setEnabled(true);
    endOfRun();
    offerHostsBack();
}

void TForm1::offerHostsBack()
{
    if (!m_runHosts || !m_returnHosts) {
        return;
    }
    // The host being asked when Stop came goes back too: at worst it is asked twice.
    std::vector<std::string> left;
    for (std::size_t i = 0; i < m_runHosts->size(); ++i) {
        if (!m_hostDone[i]) {
            left.push_back((*m_runHosts)[i]);
        }
    }
    if (left.empty()) {
        return;
    }
    const QString hosts =
        left.size() == 1 ? QStringLiteral("1 host") : QStringLiteral("%1 hosts").arg(left.size());
    if (m_prompts.question(
            QStringLiteral("Put the %1 not yet looked up back into the links search list?").arg(hosts))) {
        m_returnHosts(std::move(left));
    }
}

void TForm1::Timer1Timer()
{
    const Duration left =
        m_rdapRunning
            ? remainingAtPace(buffer->maximum(), buffer->value(), m_pump.ticks().now() - m_rdapStartTick,
                              static_cast<long long>(1000 / m_lookupChoices.requestsPerSecond))
            : remainingLookupTime(buffer->maximum(), buffer->value());
    StatusBar1->setPanelText(0, QStringLiteral("Estimated time:") + estimateText(left));
}

void TForm1::wwwDocumentComplete()
{
    loaded = true;
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
        // A normal end: nothing to offer at the next start.
        if (m_journal) {
            m_journal->remove();
        }
        event->accept();
    });
}

} // namespace ostrevo
