// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// What the engines of a run ask for, shown to the user: their lines in the
// engine list, the status line, and the window with an engine's own page.
#include "rechercheweb/tliste.h"

#include "net/activeproxy.h"
#include "pageloader/qtpageloader.h"
#include "platform/statuspanels.h"
#include "rechercheweb/pagewindow.h"

#include <QListWidget>
#include <QPushButton>
#include <QUrl>

namespace ostrevo {
namespace {

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
    case EngineState::ProxyFailed:
        return QStringLiteral(" - proxy failed");
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
    case EngineState::ProxyFailed:
        return proxyMessage(run, engine);
    }
    return {};
}

} // namespace

QString proxyMessage(const SearchRun& run, int engine)
{
    return QString::fromStdString(
        proxyFailureFor(run.proxyFailure(engine), QUrl(QString::fromStdString(run.pageUrl(engine)))));
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

} // namespace ostrevo
