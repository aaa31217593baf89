// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/statuspanels.h"

#include <QLabel>

namespace ostrevo {

StatusPanels::StatusPanels(const QList<int>& widths, QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (qsizetype i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // Panels show hosts and file names from outside: never markup.
        panel->setTextFormat(Qt::PlainText);
        const bool last = i + 1 == widths.size();
        if (last) {
            panel->setMinimumWidth(widths[i]);
        } else {
            panel->setFixedWidth(widths[i]);
        }
        addWidget(panel, last ? 1 : 0);
        m_panels.append(panel);
    }
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->hide();
    addPermanentWidget(m_notice);
}

QString StatusPanels::notice() const
{
    return m_notice->text();
}

void StatusPanels::setNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

QString StatusPanels::panelText(int index) const
{
    return m_panels.value(index) ? m_panels[index]->text() : QString();
}

void StatusPanels::setPanelText(int index, const QString& text)
{
    QLabel* panel = m_panels.value(index);
    if (!panel) {
        return;
    }
    panel->setText(text);
    // A fixed panel grows to show its whole text (never shrinks, so that the
    // panels after it do not jump back and forth).
    if (index + 1 < m_panels.size() && panel->sizeHint().width() > panel->width()) {
        panel->setFixedWidth(panel->sizeHint().width());
    }
}

} // namespace ostrevo
