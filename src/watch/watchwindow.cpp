// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchwindow.h"

#include "platform/desktopnotice.h"
#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "watch/watchstore.h"

#include <QDateTime>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ostrevo {

namespace {

constexpr int RecentNotices = 200;

enum Column { DomainColumn, StatusColumn, ExpiresColumn, DropsColumn, LastCheckColumn, NextCheckColumn };

QString timeText(WallTime time)
{
    if (time <= 0) {
        return QStringLiteral("never");
    }
    return QDateTime::fromSecsSinceEpoch(time).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString historyText(const std::vector<WatchHistoryLine>& lines)
{
    QString all;
    for (const WatchHistoryLine& line : lines) {
        all += timeText(line.at) + QStringLiteral("  ") + text(line.text) + QLatin1Char('\n');
    }
    return all;
}

} // namespace

WatchWindow::WatchWindow(Prompts& prompts, TickSource& ticks, const std::filesystem::path& database,
                         std::filesystem::path serversFile, WallClock clock, QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_store(std::make_unique<WatchStore>(database)),
      m_clock(clock), m_notify([this](const QString& line) { showDesktopNotice(line); })
{
    setObjectName(QStringLiteral("WatchWindow"));
    setWindowTitle(QStringLiteral("Watch"));
    // Closing hides it and its checks go on; it keeps no program alive.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(940, 480);

    list = new QTableWidget(0, 6, this);
    list->setObjectName(QStringLiteral("list"));
    list->setHorizontalHeaderLabels({QStringLiteral("Domain"), QStringLiteral("Status"),
                                     QStringLiteral("Expires"), QStringLiteral("Drops about"),
                                     QStringLiteral("Last checked"), QStringLiteral("Next check")});
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);

    notices = new QPlainTextEdit(this);
    notices->setObjectName(QStringLiteral("notices"));
    notices->setReadOnly(true);
    notices->setMaximumBlockCount(RecentNotices);
    notices->setPlaceholderText(
        QStringLiteral("Notices appear here: redemption, pending delete, available, renewed."));

    const auto button = [this](const QString& name, const QString& caption, void (WatchWindow::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this,
                [this, handler] { guarded(m_prompts, [&] { (this->*handler)(); }); });
        return b;
    };
    checkNowButton =
        button(QStringLiteral("checkNowButton"), QStringLiteral("Check now"), &WatchWindow::checkNow);
    removeButton =
        button(QStringLiteral("removeButton"), QStringLiteral("Remove"), &WatchWindow::removeSelected);
    historyButton =
        button(QStringLiteral("historyButton"), QStringLiteral("History..."), &WatchWindow::showHistory);
    stopButton = new QPushButton(QStringLiteral("Stop"), this);
    stopButton->setObjectName(QStringLiteral("stopButton"));
    connect(stopButton, &QPushButton::clicked, this, [this] {
        m_checker->stop();
        showRoundState();
    });
    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("statusLine"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {checkNowButton, removeButton, historyButton, stopButton}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(statusLine);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 3);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Notices"), this));
    layout->addWidget(notices, 1);

    m_checker = std::make_unique<WatchChecker>(*m_store, std::move(serversFile), ticks, m_clock);
    m_checker->setHooks({
        .notice = [this](const WatchNotice& notice) { noticeCame(notice); },
        .checked = [this](const std::string&) { refresh(); },
        .error = [this](const std::string& error) { statusLine->setText(text(error)); },
        .finished = [this] { showRoundState(); },
    });
    refresh();
    if (!m_store->recoveryMessage().empty()) {
        const QString message = text(m_store->recoveryMessage());
        QTimer::singleShot(0, this, [this, message] { m_prompts.information(message); });
    }
}

WatchWindow::~WatchWindow()
{
    // Requests in flight are dropped before the list they would write to goes.
    m_checker.reset();
}

int WatchWindow::watch(const std::vector<std::string>& domains)
{
    std::vector<std::string> added;
    for (const std::string& domain : domains) {
        // Checked under the name the list keeps.
        if (m_store->add(domain, m_clock())) {
            added.push_back(watchableDomain(domain));
        }
    }
    refresh();
    show();
    raise();
    if (!added.empty()) {
        m_checker->check(added);
        showRoundState();
    }
    return static_cast<int>(added.size());
}

void WatchWindow::refresh()
{
    const std::vector<WatchedDomain> domains = m_store->domains();
    const std::vector<std::string> selected = selectedDomains();
    list->setRowCount(static_cast<int>(domains.size()));
    for (int row = 0; row < static_cast<int>(domains.size()); ++row) {
        const WatchedDomain& domain = domains[static_cast<std::size_t>(row)];
        const WatchFinding finding = domain.finding.value_or(WatchFinding{});
        QString status =
            domain.finding ? text(std::string(stateText(finding.state))) : QStringLiteral("not checked yet");
        if (domain.missed > 0) {
            status += QStringLiteral(" (no answer: %1)").arg(domain.missed);
        }
        const QString cells[] = {text(domain.name),
                                 status,
                                 text(finding.expires),
                                 finding.drops.empty() ? QString()
                                                       : QStringLiteral("about ") + text(finding.drops),
                                 timeText(domain.lastChecked),
                                 timeText(domain.nextCheck)};
        for (int column = 0; column < 6; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == DropsColumn && !domain.dropAssumed.empty()) {
                item->setToolTip(QStringLiteral("Assumed: ") + text(domain.dropAssumed));
            }
            list->setItem(row, column, item);
        }
        if (std::find(selected.begin(), selected.end(), domain.name) != selected.end()) {
            list->selectRow(row);
        }
    }
    // Dates and states are short: every column as wide as its longest text.
    list->resizeColumnsToContents();
    notices->setPlainText(historyText(m_store->recentNotices(RecentNotices)));
    showRoundState();
}

std::vector<std::string> WatchWindow::selectedDomains() const
{
    std::vector<std::string> names;
    for (const QModelIndex& index : list->selectionModel()->selectedRows(DomainColumn)) {
        names.push_back(index.data().toString().toStdString());
    }
    return names;
}

void WatchWindow::checkNow()
{
    std::vector<std::string> names = selectedDomains();
    if (names.empty()) {
        for (const WatchedDomain& domain : m_store->domains()) {
            names.push_back(domain.name);
        }
    }
    m_checker->check(std::move(names));
    showRoundState();
}

void WatchWindow::removeSelected()
{
    const std::vector<std::string> names = selectedDomains();
    if (names.empty()) {
        m_prompts.information(QStringLiteral("Select the domains to remove from the watch list."));
        return;
    }
    if (!m_prompts.question(
            QStringLiteral("Stop watching %1 domain(s) and forget their history?").arg(names.size()))) {
        return;
    }
    for (const std::string& name : names) {
        m_store->remove(name);
    }
    list->clearSelection();
    refresh();
}

void WatchWindow::showHistory()
{
    const std::vector<std::string> names = selectedDomains();
    if (names.size() != 1) {
        m_prompts.information(QStringLiteral("Select one domain to see its history."));
        return;
    }
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("history"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("History of ") + text(names.front()));
    auto* lines = new QPlainTextEdit(dialog);
    lines->setReadOnly(true);
    lines->setPlainText(historyText(m_store->history(names.front())));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(lines);
    dialog->resize(560, 360);
    dialog->show();
}

void WatchWindow::noticeCame(const WatchNotice& notice)
{
    refresh();
    if (m_notify) {
        m_notify(text(notice.text));
    }
}

void WatchWindow::showRoundState()
{
    stopButton->setEnabled(m_checker && m_checker->busy());
    if (m_checker && m_checker->busy()) {
        statusLine->setText(QStringLiteral("Checking..."));
    } else if (statusLine->text() == QStringLiteral("Checking...")) {
        statusLine->clear();
    }
}

} // namespace ostrevo
