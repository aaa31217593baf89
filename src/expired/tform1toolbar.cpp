// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The toolbar: its buttons with their keys, tips and names, and the progress bar.
#include "expired/tform1.h"

#include "platform/errorguard.h"
#include "platform/programicons.h"

#include <QHBoxLayout>
#include <QPalette>
#include <QProgressBar>
#include <QShortcut>
#include <QToolButton>

#include <utility>

namespace ostrevo {

QToolButton* TForm1::addToolButton(const QString& name, const QIcon& icon, void (TForm1::*handler)())
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setFixedSize(25, 25);
    if (handler) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { guarded(m_prompts, [this, handler] { (this->*handler)(); }); });
    }
    return button;
}

void TForm1::buildToolbar()
{
    // A silver panel 32 high, the buttons at fixed places as in the original
    // layout: three command buttons, a gap, load and save, a gap, the web site
    // button, a gap, then the progress bar.
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(32);
    bar->setAutoFillBackground(true);
    QPalette silver = bar->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    bar->setPalette(silver);

    BPlay = addToolButton(QStringLiteral("BPlay"), programIcon(ProgramIcon::Start), &TForm1::BPlayClick);
    BStop = addToolButton(QStringLiteral("BStop"), programIcon(ProgramIcon::Stop), &TForm1::BStopClick);
    ToolButton2 = addToolButton(QStringLiteral("ToolButton2"), programIcon(ProgramIcon::Commands),
                                &TForm1::ToolButton2Click);
    BOpen = addToolButton(QStringLiteral("BOpen"), programIcon(ProgramIcon::Open), &TForm1::BOpenClick);
    BDisk = addToolButton(QStringLiteral("BDisk"), programIcon(ProgramIcon::Save), &TForm1::BDiskClick);
    SpeedButton5 = addToolButton(QStringLiteral("SpeedButton5"), programIcon(ProgramIcon::WebSite),
                                 &TForm1::SpeedButton5Click);
    BStop->setEnabled(false);
    // Esc cancels a download as Stop does; a lookup still asks first, through Stop.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { m_download.cancelIfRunning(); });
    // A key clicks its button at once, and only while the button is enabled.
    for (const auto& [button, key] : {std::pair{BPlay, Qt::Key_N}, {BOpen, Qt::Key_O}, {BDisk, Qt::Key_S}}) {
        connect(new QShortcut(QKeySequence(Qt::CTRL | key), this), &QShortcut::activated, button,
                &QToolButton::click);
    }
    // The buttons show pictures only: say what each does, and its key.
    BPlay->setToolTip(QStringLiteral("Search the web for domains (Ctrl+N)"));
    BStop->setToolTip(QStringLiteral("Stop the expiry lookup"));
    ToolButton2->setToolTip(QStringLiteral(
        "Tick, untick or delete rows (Ctrl+A ticks all, Delete deletes the ticked, Ctrl+Z undoes)"));
    BOpen->setToolTip(QStringLiteral("Load a results file (Ctrl+O)"));
    BDisk->setToolTip(QStringLiteral("Save the results (Ctrl+S)"));
    SpeedButton5->setToolTip(QStringLiteral("Visit the Ostrevo web site"));
    // ... and give screen readers their names.
    const std::pair<QToolButton*, const char*> names[] = {
        {BPlay, "Start"}, {BStop, "Stop"}, {ToolButton2, "Commands"},
        {BOpen, "Load"},  {BDisk, "Save"}, {SpeedButton5, "Web site"}};
    for (const auto& [button, name] : names) {
        button->setAccessibleName(QString::fromLatin1(name));
    }

    buffer = new QProgressBar(bar);
    buffer->setObjectName(QStringLiteral("buffer"));
    buffer->setRange(0, 100);
    buffer->setValue(0);
    buffer->setTextVisible(false);
    buffer->setAccessibleName(QStringLiteral("Lookup progress"));

    // The buttons keep their places; the progress bar takes the rest of the width.
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 5);
    row->setSpacing(0);
    const std::pair<QWidget*, int> places[] = {{BPlay, 0}, {BStop, 0},         {ToolButton2, 8}, {BOpen, 0},
                                               {BDisk, 8}, {SpeedButton5, 13}, {buffer, 0}};
    for (const auto& [widget, gapAfter] : places) {
        widget->setParent(bar);
        row->addWidget(widget, widget == buffer ? 1 : 0);
        if (gapAfter > 0) {
            row->addSpacing(gapAfter);
        }
    }
    buffer->setFixedHeight(25);
    buffer->setMinimumWidth(100);
    setMenuWidget(bar);
}

} // namespace ostrevo
