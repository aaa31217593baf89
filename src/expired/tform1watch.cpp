// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The watch list from the main window: the commands that add domains to it,
// and the status a lookup found, shown in the "Expires" cell's tool tip.
#include "expired/tform1.h"

#include "lookup/lookupdomains.h"
#include "platform/errorguard.h"
#include "platform/eventpump.h"
#include "platform/prompts.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttablemodel.h"
#include "resultlist/tresultlistview.h"
#include "watch/watchwindow.h"

#include <QAction>
#include <QMenu>

namespace ostrevo {

namespace {

// "http://www.Shop.com/x" -> "www.shop.com": the host of a row's caption.
std::string captionHost(std::string_view caption)
{
    if (const std::size_t scheme = caption.find("://"); scheme != std::string_view::npos) {
        caption.remove_prefix(scheme + 3);
    }
    caption = caption.substr(0, caption.find_first_of("/:?#"));
    std::string host(caption);
    for (char& c : host) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return host;
}

} // namespace

void TForm1::buildWatchCommands()
{
    PopupMenu1->addSeparator();
    WatchTicked = addMenuCommand(PopupMenu1, QStringLiteral("WatchTicked"),
                                 QStringLiteral("Watch ticked domains"), [this] { watchTickedDomains(); });
    ShowWatchList =
        addMenuCommand(PopupMenu1, QStringLiteral("ShowWatchList"), QStringLiteral("Watch list..."), [this] {
            m_watchWindow->show();
            m_watchWindow->raise();
        });
    // Usable once a watch list is open.
    WatchTicked->setEnabled(false);
    ShowWatchList->setEnabled(false);

    resultat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { guarded(m_prompts, [&] { showRowMenu(at); }); });
    resultat->resultModel().setToolTips([this](const ResultRow& row, int column) {
        if (column != columnOf(ResultField::Expires)) {
            return QString();
        }
        const auto tip = m_statusTips.find(std::string(row.Caption()));
        return tip == m_statusTips.end() ? QString() : QString::fromStdString(tip->second);
    });
}

void TForm1::setWatchList(const std::filesystem::path& database)
{
    m_watchWindow = std::make_unique<WatchWindow>(m_prompts, m_pump.ticks(), database, m_rdapServersFile);
    m_watchWindow->checker().startSchedule();
    WatchTicked->setEnabled(true);
    ShowWatchList->setEnabled(true);
}

void TForm1::showRowMenu(const QPoint& at)
{
    const QModelIndex index = resultat->indexAt(at);
    if (!m_watchWindow) {
        return;
    }
    QMenu menu(this);
    if (index.isValid()) {
        const std::string host = captionHost(m_table.Row(index.row()).Caption());
        menu.addAction(QStringLiteral("Watch this domain"), this,
                       [this, host] { guarded(m_prompts, [&] { watchHosts({host}); }); });
    }
    menu.addAction(WatchTicked);
    menu.exec(resultat->viewport()->mapToGlobal(at));
}

void TForm1::watchTickedDomains()
{
    std::vector<std::string> hosts;
    for (int i = 0; i < m_table.RowCount(); ++i) {
        if (m_table.Row(i).Checked()) {
            hosts.push_back(captionHost(m_table.Row(i).Caption()));
        }
    }
    if (hosts.empty()) {
        m_prompts.information(QStringLiteral("Tick the domains to watch first."));
        return;
    }
    watchHosts(hosts);
}

void TForm1::watchHosts(const std::vector<std::string>& hosts)
{
    const std::vector<std::string> domains = registeredDomainsOf(hosts);
    if (domains.empty()) {
        m_prompts.information(
            QStringLiteral("None of these hosts is a registered domain that can be watched."));
        return;
    }
    m_watchWindow->watch(domains);
}

void TForm1::rememberStatus(const LookupRow& found)
{
    // The tip is worked out once, with the day the lookup found it.
    const std::string tip = ostrevo::statusTip(found.status, dayOfWallTime(systemWallTime()));
    const std::string caption = "http://" + found.host;
    if (tip.empty()) {
        m_statusTips.erase(caption);
    } else {
        m_statusTips[caption] = tip;
    }
}

} // namespace ostrevo
