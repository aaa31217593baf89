// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The lookup run as the window shows it: hosts handed over, the run chosen,
// its progress, rows, notices and end, and the hosts offered back.
#include "expired/tform1.h"

#include "lookup/lookupdomains.h"
#include "lookup/rdaplookuprun.h"
#include "lookup/rdapserversfile.h"
#include "lookup/runendtext.h"
#include "platform/desktopnotice.h"
#include "platform/prompts.h"
#include "platform/statuspanels.h"
#include "platform/systemlocale.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/rowjournal.h"

#include <QProgressBar>
#include <QScopeGuard>
#include <QStringList>
#include <QTime>
#include <QTimer>
#include <QToolButton>

#include <climits>
#include <utility>

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

QString TForm1::lookupFinishedText()
{
    return QStringLiteral("Lookup finished: press Stop to start a new search");
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
    // Registries answer for registered domains: sub-domains of one are one lookup.
    hosts = registeredDomainsOf(hosts);
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
    m_registeredFound = 0;
    m_noAnswer.clear();
    bool finished = false;
    try {
        finished = lookUp(hosts, stopped);
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
    // Start and Load wait for a confirmed Stop: say so, as nothing else does.
    if (BStop->isEnabled()) {
        StatusBar1->setPanelText(2, lookupFinishedText());
    }
    // Ended normally: the rows are the table's now, the close question guards them.
    if (m_journal) {
        m_journal->remove();
    }
    m_announceRunEnd(QString::fromStdString(runEndText(m_registeredFound, m_noAnswer)));
    offerHostsBack();
}

void TForm1::endOfRun()
{
    Timer1->stop();
    StatusBar1->setPanelText(0, QString());
    buffer->setValue(0);
}

bool TForm1::lookUp(const std::vector<std::string>& hosts, const std::function<bool()>& stopped)
{
    std::unique_ptr<LookupRun> rdap;
    if (m_lookupChoices.rdap) {
        std::optional<RdapServers> servers = readRdapServersFile(m_rdapServersFile);
        if (!servers) {
            m_prompts.information(
                QStringLiteral("The list of RDAP servers cannot be read: update it from the command menu"));
            return true;
        }
        rdap = std::make_unique<RdapLookupRun>(std::move(*servers), m_lookupChoices, m_pump);
    }
    m_whoisRun.listUnregistered(m_lookupChoices.listUnregistered);
    LookupRun& run = rdap ? *rdap : m_whoisRun;
    // A run started inside this one (a nested hand-over) gives the estimate back when it ends.
    LookupRun* const outer = std::exchange(m_run, &run);
    const auto restore = qScopeGuard([this, outer] { m_run = outer; });
    const LookupHooks hooks{
        .asking =
            [this](const std::string& host) { StatusBar1->setPanelText(2, QString::fromStdString(host)); },
        .progress =
            [this](std::size_t done) {
                buffer->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
                showRowCount();
            },
        .hostDone = [this](std::size_t host) { m_hostDone.at(host) = true; },
        .noAnswer = [this, &hosts](std::size_t host) { m_noAnswer.push_back(hosts.at(host)); },
        .row =
            [this](const LookupRow& row) {
                m_registeredFound += row.hasExpiryDate() ? 1 : 0;
                addLookupRow(row);
            },
        .notice = [this](const std::string& text) { StatusBar1->setNotice(QString::fromStdString(text)); },
        .stopped = stopped,
    };
    return run.run(hosts, hooks);
}

void TForm1::addLookupRow(const LookupRow& found)
{
    std::vector<std::string> cells(ResultFields.size());
    const auto cell = [&cells](ResultField field) -> std::string& {
        return cells[static_cast<std::size_t>(columnOf(field))];
    };
    cell(ResultField::Site) = "http://" + found.host;
    cell(ResultField::Email) = found.email;
    cell(ResultField::Expires) = found.expires;
    addRows(m_table, {{cells, false}});
    rememberStatus(found);
    m_unsaved = true;
    showRowCount();
    if (m_journal) {
        m_journal->append(cells);
        if (!m_journalSync->isActive()) {
            m_journalSync->start();
        }
    }
}

void TForm1::offerHostsBack()
{
    if (!m_returnHosts) {
        return;
    }
    // The host being asked when Stop came goes back too: at worst it is asked twice.
    std::vector<std::string> left;
    for (std::size_t i = 0; m_runHosts && i < m_runHosts->size(); ++i) {
        if (!m_hostDone[i]) {
            left.push_back((*m_runHosts)[i]);
        }
    }
    const std::size_t notAsked = left.size();
    // Unanswered hosts may answer another day; offered once, whatever the answer.
    for (std::string& host : std::exchange(m_noAnswer, {})) {
        left.push_back(std::move(host));
    }
    if (left.empty()) {
        return;
    }
    const QString hosts =
        left.size() == 1 ? QStringLiteral("1 host") : QStringLiteral("%1 hosts").arg(left.size());
    const QString which = notAsked == left.size() ? QStringLiteral("not yet looked up")
                          : notAsked == 0         ? QStringLiteral("without an answer")
                                                  : QStringLiteral("not yet looked up or without an answer");
    if (m_prompts.question(
            QStringLiteral("Put the %1 %2 back into the links search list?").arg(hosts, which))) {
        m_returnHosts(std::move(left));
    }
}

void TForm1::Timer1Timer()
{
    const LookupRun& run = m_run ? *m_run : m_whoisRun;
    const Duration left = run.remaining(buffer->maximum(), buffer->value());
    StatusBar1->setPanelText(0, QStringLiteral("Estimated time:") + estimateText(left));
}

} // namespace ostrevo
