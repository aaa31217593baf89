// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/updownbuttons.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ostrevo {

UpDownButtons::UpDownButtons(QLineEdit* buddy, QWidget* parent) : QWidget(parent), m_buddy(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto makeButton = [this, layout](const QString& name, Qt::ArrowType arrow) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        return button;
    };
    m_up = makeButton(QStringLiteral("up"), Qt::UpArrow);
    m_down = makeButton(QStringLiteral("down"), Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDownButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownButtons::stepDown);
    // The arrow keys step too, as long as the edit box has the focus.
    m_buddy->installEventFilter(this);
}

void UpDownButtons::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_position = clamped(m_position);
}

void UpDownButtons::setPosition(int position)
{
    m_position = clamped(position);
    m_buddy->setText(QString::number(m_position));
}

int UpDownButtons::clamped(long long value) const
{
    return static_cast<int>(std::clamp<long long>(value, m_minimum, m_maximum));
}

void UpDownButtons::step(int by)
{
    if (!isEnabled()) {
        return;
    }
    bool ok = false;
    const int typed = m_buddy->text().trimmed().toInt(&ok);
    const long long from = ok ? clamped(typed) : m_position;
    setPosition(clamped(from + by));
}

bool UpDownButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? m_increment : -m_increment);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ostrevo
