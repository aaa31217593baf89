// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Start and Stop: the search run pages through the ticked engines' results
// side by side, one hidden loader per engine, until the URL list reaches the
// limit or the run is stopped.
#include "rechercheweb/tliste.h"

#include "pageloader/qtpageloader.h"
#include "platform/collation.h"
#include "platform/errors.h"
#include "platform/eventpump.h"
#include "platform/prompts.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/pagewindow.h"
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

bool waitsForUser(EngineState state)
{
    return state == EngineState::CheckNeeded || state == EngineState::ConsentNeeded;
}

// What an engine's line in deps shows after its name.
QString stateMark(EngineState state)
{
    switch (state) {
    case EngineState::Paging:
        break;
    case EngineState::CheckNeeded:
        return QStringLiteral(" - check needed");
    case EngineState::ConsentNeeded:
        return QStringLiteral(" - consent needed");
    case EngineState::Resting:
        return QStringLiteral(" - resting");
    case EngineState::Blocked:
        return QStringLiteral(" - refused");
    case EngineState::NoMoreResults:
        return QStringLiteral(" - no more results");
    }
    return {};
}

QString stateMessage(const SearchRun& run, int engine, const QString& name)
{
    switch (run.state(engine)) {
    case EngineState::Paging:
        return name + QStringLiteral(" goes on");
    case EngineState::CheckNeeded:
        return name + QStringLiteral(" asks for a check: press Show page to answer it");
    case EngineState::ConsentNeeded:
        return name + QStringLiteral(" asks about cookies: press Show page to answer it");
    case EngineState::Resting: {
        const int status = run.lastHttpStatus(engine);
        return name + QStringLiteral(" refuses automated searches") +
               (status >= 400 ? QStringLiteral(" (HTTP %1)").arg(status) : QString()) +
               QStringLiteral(": trying again in %1 s (%2 of %3)")
                   .arg((run.restLeftMs(engine) + 999) / 1000)
                   .arg(run.refusals(engine))
                   .arg(SearchRun::kRetriesAfterRefusal);
    }
    case EngineState::Blocked:
        return name + QStringLiteral(" still refuses: no more pages from it in this search");
    case EngineState::NoMoreResults:
        return name + QStringLiteral(": no more results");
    }
    return {};
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
    setListCommandsEnabled(false);
    Bstop->setEnabled(true);
    Button6->setEnabled(true);
    if (keywords->text().isEmpty()) {
        m_prompts.information(QStringLiteral("Please, enter keywords "));
        return;
    }
    Bplay->setEnabled(false);
    stopflag = false;
    setProgressMaximum(parseInteger(toStd(totalresultats->text())));

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

    // The previous run's browsers go now; a run loop still holding it (when
    // this run starts from inside it) lets go of it at its next check.
    if (m_run) {
        m_run->cancel();
        m_run.reset();
    }
    std::vector<EngineEntry> engines =
        enginesForRun(readCatalogueLines(std::string(CatalogueFileName)), names);
    auto run = std::make_shared<SearchRun>(std::move(engines), m_makeLoader, &releaseLater,
                                           [this] { return m_pump.ticks().now(); });
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

    const int limit =
        RadioButton3->isChecked() ? parseInteger(toStd(totalresultats->text())) : UnlimitedLinks;
    runSearch(*run, limit);
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

void Tliste::noteEngineState(const SearchRun& run, int engine)
{
    const EngineState state = run.state(engine);
    EngineState& shown = m_shownStates.at(static_cast<std::size_t>(engine));
    if (state == shown) {
        return;
    }
    shown = state;
    QListWidgetItem* line = deps->item(m_engineRows.at(static_cast<std::size_t>(engine)));
    const QString name = line->data(Qt::UserRole).toString();
    line->setText(name + stateMark(state));
    StatusBar1->setPanelText(1, stateMessage(run, engine, name));
    if (m_pageWindowRun == &run && m_pageWindowEngine == engine && !waitsForUser(state)) {
        // Answered: the engine goes on without the user.
        closePageWindow();
    }
    showPageButton->setEnabled(run.firstWaitingForUser() >= 0);
}

void Tliste::showPageClick()
{
    const int engine = m_run ? m_run->firstWaitingForUser() : -1;
    if (engine < 0) {
        return;
    }
    closePageWindow();
    const QString name =
        deps->item(m_engineRows.at(static_cast<std::size_t>(engine)))->data(Qt::UserRole).toString();
    auto* browser = dynamic_cast<QtPageLoader*>(&m_run->loader(engine));
    auto* window = new PageWindow(browser != nullptr ? browser->page() : nullptr,
                                  name + QStringLiteral(" - Ostrevo"), this);
    m_pageWindow = window;
    m_pageWindowRun = m_run.get();
    m_pageWindowEngine = engine;
    window->show();
    window->raise();
    window->activateWindow();
}

void Tliste::closePageWindow()
{
    if (m_pageWindow) {
        // Hidden now; deleted once control is back in the event loop, which
        // a running search does not give it before it ends.
        m_pageWindow->hide();
        m_pageWindow->deleteLater();
    }
    m_pageWindow = nullptr;
    m_pageWindowRun = nullptr;
    m_pageWindowEngine = -1;
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
    Bplay->setEnabled(true);
    Bstop->setEnabled(false);
    setListCommandsEnabled(true);
    stopflag = true;
    m_urls.setAllTicked(true);
    Button6Click();
}

void Tliste::BstopClick()
{
    Button6->setEnabled(true);
    if (!m_prompts.question(QStringLiteral("Stop extracting ?"))) {
        return;
    }
    Bplay->setEnabled(true);
    stopflag = true;
    m_urls.setAllTicked(true);
    setListCommandsEnabled(true);
}

} // namespace ostrevo
