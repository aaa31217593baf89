// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A normal window over a search run's hidden page, the page itself and not a
// copy: what the user answers there (a check, a consent page) happens in the
// page the run goes on with, and its cookies serve every later page.

#include <QWidget>

class QWebEnginePage;

namespace ostrevo {

class PageWindow final : public QWidget {
    Q_OBJECT
public:
    // Without a page (a loader with no browser page) the window is empty.
    PageWindow(QWebEnginePage* page, const QString& title, QWidget* parent = nullptr);
};

} // namespace ostrevo
