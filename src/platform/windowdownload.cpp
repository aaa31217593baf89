// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/windowdownload.h"

#include "platform/statuspanels.h"

#include <QGuiApplication>
#include <QScopeGuard>

namespace ostrevo {

bool WindowDownload::run(StatusPanels& status, const QString& what, const std::function<void()>& download)
{
    if (m_running) {
        return false;
    }
    m_running = true;
    m_cancelled = false;
    const QString before = status.notice();
    status.setNotice(what);
    // The window still answers: the pointer says busy, not wait.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const auto done = qScopeGuard([this, &status, before] {
        QGuiApplication::restoreOverrideCursor();
        status.setNotice(before);
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
