// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/windowdownload.h"

#include "platform/statuspanels.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScopeGuard>

namespace ostrevo {

bool WindowDownload::run(StatusPanels& status, QAbstractButton& stop, const QString& what,
                         const std::function<void()>& download)
{
    if (m_running) {
        return false;
    }
    m_running = true;
    m_cancelled = false;
    const QString before = status.notice();
    const bool stopWasOn = stop.isEnabled();
    status.setNotice(what);
    stop.setEnabled(true);
    // The window still answers: the pointer says busy, not wait.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const auto done = qScopeGuard([this, &status, &stop, before, stopWasOn] {
        QGuiApplication::restoreOverrideCursor();
        status.setNotice(before);
        stop.setEnabled(stopWasOn);
        m_running = false;
    });
    download();
    return true;
}

bool WindowDownload::cancelIfRunning()
{
    if (!m_running) {
        return false;
    }
    m_cancelled = true;
    return true;
}

} // namespace ostrevo
