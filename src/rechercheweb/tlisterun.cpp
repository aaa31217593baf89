// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Start and Stop: the search run pages through the ticked engines' results
// side by side, one hidden loader per engine, until the URL list reaches the
// limit, every engine is done, or the run is stopped.
#include "rechercheweb/tliste.h"

#include "net/tldsetting.h"
#include "platform/collation.h"
#include "platform/errors.h"
#include "platform/eventpump.h"
#include "platform/prompts.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"
#include "preferences/settlesetting.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/resultpages.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QToolButton>

#include <algorithm>

namespace ostrevo {
namespace {

// The limit when the search is not limited.
constexpr int UnlimitedLinks = 32000;
// How long a turn waits for a loader to finish when all of them are busy;
// any event (a page finishing, a click) ends the wait sooner.
constexpr int IdleWaitMs = 50;

std::string toStd(const QString& text)
{
    return text.toStdString();
}

// The run's loaders may be delivering a browser event when they are let go,
// so Qt deletes them once control is back in the event loop.
void releaseLater(std::unique_ptr<PageLoader> loader)
{
    if (auto* object = dynamic_cast<QObject*>(loader.get())) {
        loader.release();
        object->deleteLater();
    }
}

} // namespace

std::vector<std::string> Tliste::tickedEngines() const
{
    std::vector<std::string> names;
    for (int i = 0; i < deps->count(); ++i) {
        const QListWidgetItem* item = deps->item(i);
        if (item->checkState() == Qt::Checked) {
            names.push_back(toStd(item->data(Qt::UserRole).toString()));
        }
    }
    return names;
}

void Tliste::setProgressMaximum(int maximum)
{
    if (maximum < 0) {
        throw RuntimeError(std::string(buffer->metaObject()->className()) + " property out of range");
    }
    // A range of 0 to 0 would turn the bar into a busy indicator.
    buffer->setRange(0, std::max(maximum, 1));
}

void Tliste::BplayClick()
{
    if (!m_urls.isEmpty() && m_prompts.question(QStringLiteral("Delete previous list of urls ?"))) {
        m_urls.clear();
    }
    // Everything that can refuse the start comes before a button changes, so
    // that a refused start leaves the window as it was.
    if (keywords->text().isEmpty()) {
        m_prompts.information(QStringLiteral("Please, enter keywords "));
        return;
    }
    const int barMaximum = parseInteger(toStd(totalresultats->text()));
    const std::vector<std::string> names = tickedEngines();
    if (names.empty()) {
        m_prompts.information(QStringLiteral("You must select at least one search engine"));
        return;
    }
    if (names.size() > static_cast<std::size_t>(SearchRun::MaxEngines)) {
        m_prompts.information(
            QStringLiteral("You can use at most %1 search engines at once").arg(SearchRun::MaxEngines));
        return;
    }
    setProgressMaximum(barMaximum);

    // The previous run's browsers go now; a run loop still holding it (when
    // this run starts from inside it) lets go of it at its next check.
    if (m_run) {
        m_run->cancel();
        m_run.reset();
        // Whatever happens next, no run is left going.
        setIdleButtons();
    }
    std::vector<EngineEntry> engines =
        enginesForRun(readCatalogueLines(std::string(CatalogueFileName)), names);
    auto run = std::make_shared<SearchRun>(std::move(engines), m_makeLoader, &releaseLater,
                                           [this] { return m_pump.ticks().now(); });
    run->setTldFilter(loadTldFilter());
    run->setSettleLimitMs(static_cast<std::uint32_t>(loadSettleSeconds()) * 1000U);
    m_run = run;
    m_engineRows.clear();
    for (int i = 0; i < deps->count(); ++i) {
        QListWidgetItem* item = deps->item(i);
        item->setText(item->data(Qt::UserRole).toString());
        if (item->checkState() == Qt::Checked) {
            m_engineRows.push_back(i);
        }
    }
    m_shownStates.assign(m_engineRows.size(), EngineState::Paging);
    StatusBar1->setPanelText(1, QString());

    const int limit = RadioButton3->isChecked() ? barMaximum : UnlimitedLinks;
    storeSearchSettings();
    setListCommandsEnabled(false);
    Bplay->setEnabled(false);
    Bstop->setEnabled(true);
    Button6->setEnabled(true);
    stopflag = false;
    // However the run ends (limit, Stop, Finish, close, an error), the window
    // is ready for the next one, unless a newer run has taken the buttons.
    const auto ended = [this, run] {
        if (m_run == run) {
            setIdleButtons();
        }
    };
    try {
        runSearch(*run, limit);
    } catch (...) {
        ended();
        throw;
    }
    ended();
}

void Tliste::runSearch(SearchRun& run, int limit)
{
    const TextKeyFunction foldKey(&caseFoldKey);
    const int engines = run.engineCount();
    // However the run ends, nothing is left waiting for the user.
    const auto ended = qScopeGuard([this, &run] {
        if (m_pageWindowRun == &run) {
            closePageWindow();
        }
        if (m_run.get() == &run) {
            showPageButton->setEnabled(false);
        }
    });
    int k = 0;
    for (;;) {
        const bool turnTaken = run.takeTurn(k, toStd(keywords->text()), m_urls, foldKey);
        if (run.isCancelled()) {
            return;
        }
        if (turnTaken) {
            buffer->setValue(std::min(m_urls.count(), buffer->maximum()));
            noteEngineState(run, k);
            if (run.state(k) == EngineState::ProxyFailed && !goOnAfterProxyFailure(run, k)) {
                return;
            }
        }
        if (!turnTaken && run.nothingDue()) {
            // Nothing to do until a page finishes: wait for it in the event
            // loop instead of polling flat out.
            m_pump.ticks().waitForEvents(IdleWaitMs);
        } else {
            m_pump.processMessages();
        }
        if (stopflag || run.isCancelled()) {
            return;
        }
        k = (k + 1) % engines;
        if (m_urls.count() >= limit) {
            limitReached();
            return;
        }
        if (run.allDone()) {
            enginesDone();
            return;
        }
    }
}

bool Tliste::goOnAfterProxyFailure(SearchRun& run, int engine)
{
    // Every engine goes through the same proxy: one question holds the whole run.
    const bool again =
        m_prompts.question(proxyMessage(run, engine) + QStringLiteral("\n\nTry again? No stops the search."));
    if (run.isCancelled() || stopflag) {
        return false;
    }
    if (!again) {
        stopflag = true;
        m_urls.setAllTicked(true);
        setIdleButtons();
        return false;
    }
    run.retryAfterProxyFailure();
    for (int i = 0; i < run.engineCount(); ++i) {
        noteEngineState(run, i);
    }
    return true;
}

void Tliste::enginesDone()
{
    Bplay->setEnabled(true);
    stopflag = true;
    m_urls.setAllTicked(true);
    setListCommandsEnabled(true);
    StatusBar1->setPanelText(1, QStringLiteral("Every engine is done: the search has ended"));
}

void Tliste::limitReached()
{
    setIdleButtons();
    stopflag = true;
    m_urls.setAllTicked(true);
    Button6Click();
}

void Tliste::BstopClick()
{
    if (m_download.cancelIfRunning()) {
        return;
    }
    Button6->setEnabled(true);
    if (!m_prompts.question(QStringLiteral("Stop extracting ?"))) {
        return;
    }
    stopflag = true;
    m_urls.setAllTicked(true);
    setIdleButtons();
}

void Tliste::setIdleButtons()
{
    Bplay->setEnabled(true);
    Bstop->setEnabled(false);
    Button6->setEnabled(!m_urls.isEmpty());
    setListCommandsEnabled(true);
}

} // namespace ostrevo
