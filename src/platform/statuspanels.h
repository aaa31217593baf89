// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A status bar made of text panels, addressed by index. A text never widens
// the window: one too long for its panel is cut with "…" and shown whole in
// the panel's tool tip.

#include <QList>
#include <QStatusBar>

class QLabel;

namespace ostrevo {

class StatusPanels final : public QStatusBar {
    Q_OBJECT
public:
    // One panel per width, left to right; the last one takes the rest.
    explicit StatusPanels(const QList<int>& widths, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(m_panels.size()); }
    // The whole text, however much of it the panel shows.
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // A notice at the right end, beside the panels; hidden while empty.
    QString notice() const;
    void setNotice(const QString& text);
    // The label showing a panel (or the notice): its text is what fits.
    QLabel* panelLabel(int index) const { return m_panels.value(index); }
    QLabel* noticeLabel() const { return m_notice; }

private:
    QList<QLabel*> m_panels;
    QLabel* m_notice = nullptr;
};

} // namespace ostrevo
