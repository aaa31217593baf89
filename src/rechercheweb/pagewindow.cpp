// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/pagewindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace ostrevo {
namespace {

// Room for a check or consent page as engines lay them out for a desktop.
constexpr QSize PreferredSize(1024, 768);

} // namespace

PageWindow::PageWindow(QWebEnginePage* page, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("pageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (page != nullptr) {
        auto* view = new QWebEngineView(this);
        view->setObjectName(QStringLiteral("pageView"));
        view->setPage(page);
        layout->addWidget(view);
    }
    QSize size = PreferredSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        size = size.boundedTo(area.size() * 9 / 10);
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    resize(size);
}

} // namespace ostrevo
