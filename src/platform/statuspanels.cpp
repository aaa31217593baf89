// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/statuspanels.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

namespace ostrevo {
namespace {

// A one-line label that asks for room to show its whole text but makes do
// with `least` pixels: what does not fit is cut with "…", and the tool tip
// then holds the whole text.
class ElidingLabel final : public QLabel {
public:
    ElidingLabel(int least, QWidget* parent) : QLabel(parent), m_least(least)
    {
        // Panels show hosts and file names from outside: never markup.
        setTextFormat(Qt::PlainText);
        setWordWrap(false);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    const QString& wholeText() const { return m_whole; }

    void setWholeText(const QString& text)
    {
        // A line break would make the bar taller: panels show one line.
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        if (line == m_whole && text == m_original) {
            return;
        }
        m_original = text;
        m_whole = line;
        updateGeometry();
        showFitting();
    }

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth() + 2 * margin() + 4;
        return {std::max(m_least, fontMetrics().horizontalAdvance(m_whole) + frame),
                QLabel::minimumSizeHint().height()};
    }

    QSize minimumSizeHint() const override { return {m_least, QLabel::minimumSizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        showFitting();
    }

private:
    void showFitting()
    {
        const int room = std::max(0, contentsRect().width() - 2 * margin() - 4);
        const QString shown = fontMetrics().elidedText(m_whole, Qt::ElideRight, room);
        setText(shown);
        setToolTip(shown == m_whole ? QString() : m_original);
    }

    int m_least = 0;
    QString m_whole;
    QString m_original;
};

ElidingLabel* eliding(QLabel* label)
{
    return static_cast<ElidingLabel*>(label);
}

} // namespace

StatusPanels::StatusPanels(const QList<int>& widths, QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (qsizetype i = 0; i < widths.size(); ++i) {
        const bool last = i + 1 == widths.size();
        // A panel takes the room its text needs while the bar has it; the
        // last one may shrink to nothing, the others to their own width.
        auto* panel = new ElidingLabel(last ? 0 : widths[i], this);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        addWidget(panel, last ? 1 : 0);
        m_panels.append(panel);
    }
    m_notice = new ElidingLabel(0, this);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->hide();
    addPermanentWidget(m_notice);
}

QString StatusPanels::notice() const
{
    return eliding(m_notice)->wholeText();
}

void StatusPanels::setNotice(const QString& text)
{
    eliding(m_notice)->setWholeText(text);
    m_notice->setVisible(!text.isEmpty());
}

QString StatusPanels::panelText(int index) const
{
    return m_panels.value(index) ? eliding(m_panels[index])->wholeText() : QString();
}

void StatusPanels::setPanelText(int index, const QString& text)
{
    if (QLabel* panel = m_panels.value(index)) {
        eliding(panel)->setWholeText(text);
    }
}

} // namespace ostrevo
