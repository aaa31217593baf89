// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "filtres/datefilterwindow.h"

#include "expired/resultcommands.h"
#include "platform/errorguard.h"
#include "platform/programicons.h"
#include "platform/windowfont.h"

#include <QDateEdit>
#include <QLabel>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace ostrevo {

DateFilterWindow::DateFilterWindow(const QString& objectName, const QString& labelText, QSize size,
                                   Filter filter, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_filter(std::move(filter)), m_prompts(prompts)
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Filtres"));
    setFont(windowFont());
    resize(size);

    Label1 = new QLabel(labelText, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->move(16, 8);
    Label1->adjustSize();
    // The controls keep their place unless the font makes the label reach it.
    const int controlsLeft = std::max(120, Label1->geometry().right() + 9);
    resize(std::max(size.width(), controlsLeft + 121 + 15), size.height());

    DateTimePicker2 = new QDateEdit(QDate::currentDate(), this);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setCalendarPopup(true);
    DateTimePicker2->setGeometry(controlsLeft, 8, 121, 21);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Date filter"));
    SpeedButton1->setIcon(programIcon(ProgramIcon::DateFilter));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setGeometry(controlsLeft, 32, 121, 37);
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { guarded(m_prompts, [this] { SpeedButton1Click(); }); });
    // The filter is the window's one command: Enter applies it.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, SpeedButton1,
                &QToolButton::click);
    }
    DateTimePicker2->setAccessibleName(labelText);
}

void DateFilterWindow::SpeedButton1Click()
{
    const QDate date = DateTimePicker2->date();
    m_filter(filterDateText(date.year(), date.month(), date.day()));
    hide();
}

} // namespace ostrevo
